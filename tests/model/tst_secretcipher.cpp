#include "model/SecretCipher.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTextCodec>
#include <QtTest>

#include <openssl/evp.h>

#include <algorithm>

namespace {

// The salt constants, pinned here on their own: a change in the program's
// constants would make every stored secret unreadable.
const uint32_t kSaltFirst = 0x5d1c3a97u;
const uint32_t kSaltSecond = 0x0be8f462u;

QByteArray sha1(const QByteArray &data)
{
    unsigned char md[EVP_MAX_MD_SIZE];
    unsigned int mdLength = 0;
    if (EVP_Digest(data.constData(), size_t(data.size()), md, &mdLength, EVP_sha1(), nullptr) != 1)
        return QByteArray();
    return QByteArray(reinterpret_cast<const char *>(md), int(mdLength));
}

// Key and IV derivation written out by hand: D_i = SHA1^5(D_(i-1) || pass || salt),
// key || iv = D_1 || D_2 || D_3 (first 32 and next 16 bytes).
void deriveKeyAndIv(QByteArray *key, QByteArray *iv)
{
    QByteArray salt;
    for (uint32_t constant : {kSaltFirst, kSaltSecond})
        for (int i = 0; i < 4; ++i)
            salt.append(char((constant >> (8 * i)) & 0xff));
    const QByteArray pass("QUILLBARN");
    QByteArray material;
    QByteArray previous;
    while (material.size() < 48) {
        QByteArray d = sha1(previous + pass + salt);
        for (int round = 1; round < 5; ++round)
            d = sha1(d);
        material += d;
        previous = d;
    }
    *key = material.left(32);
    *iv = material.mid(32, 16);
}

QString opensslPath()
{
    return QStandardPaths::findExecutable(QStringLiteral("openssl"));
}

} // namespace

class tst_SecretCipher : public QObject {
    Q_OBJECT
private slots:
    void storedFormLength_data();
    void storedFormLength();
    void deterministic();
    void roundTrip_data();
    void roundTrip();
    void upperCaseHexDecryptsTheSame();
    void undecodableStringsGiveEmptyText_data();
    void undecodableStringsGiveEmptyText();
    void knownAnswerAgainstOpensslCommand_data();
    void knownAnswerAgainstOpensslCommand();
    void knownAnswerVector();
    void tamperedLastBlockKeepsEarlierBlocks();
};

void tst_SecretCipher::storedFormLength_data()
{
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("hexLength");
    for (int n = 0; n <= 14; ++n)
        QTest::addRow("%d bytes", n) << n << 32;
    QTest::newRow("15 bytes") << 15 << 64;
    QTest::newRow("30 bytes") << 30 << 64;
    QTest::newRow("31 bytes") << 31 << 96;
    QTest::newRow("46 bytes") << 46 << 96;
    QTest::newRow("47 bytes") << 47 << 128;
}

void tst_SecretCipher::storedFormLength()
{
    QFETCH(int, bytes);
    QFETCH(int, hexLength);
    const QString text(bytes, QLatin1Char('7'));
    const QString stored = SecretCipher::encryptSecret(text);
    QCOMPARE(stored.size(), hexLength);
    static const QRegularExpression lowerHex(QStringLiteral("^[0-9a-f]+$"));
    QVERIFY2(lowerHex.match(stored).hasMatch(), qPrintable(stored));
    QCOMPARE(SecretCipher::decryptSecret(stored), text);
}

void tst_SecretCipher::deterministic()
{
    const QString first = SecretCipher::encryptSecret(QStringLiteral("4711"));
    QCOMPARE(SecretCipher::encryptSecret(QStringLiteral("4711")), first);
    QVERIFY(SecretCipher::encryptSecret(QStringLiteral("4712")) != first);
}

void tst_SecretCipher::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("access code") << QStringLiteral("0042");
    QTest::newRow("one backslash") << QStringLiteral("pa\\ss");
    QTest::newRow("two backslashes") << QStringLiteral("a\\\\b");
    QTest::newRow("trailing backslash") << QStringLiteral("secret\\");
    QTest::newRow("non-ASCII") << QStringLiteral("Passwört-Ünïcode");
    QTest::newRow("long") << QString(200, QLatin1Char('x'));
}

void tst_SecretCipher::roundTrip()
{
    QFETCH(QString, text);
    // Encryption uses the local 8-bit encoding, decryption reads UTF-8.
    const bool ascii = std::all_of(text.cbegin(), text.cend(),
                                   [](QChar c) { return c.unicode() < 0x80; });
    if (!ascii && QTextCodec::codecForLocale()->mibEnum() != 106)
        QSKIP("non-ASCII text needs a UTF-8 locale");
    QCOMPARE(SecretCipher::decryptSecret(SecretCipher::encryptSecret(text)), text);
}

void tst_SecretCipher::upperCaseHexDecryptsTheSame()
{
    const QString stored = SecretCipher::encryptSecret(QStringLiteral("Top\\Secret"));
    QVERIFY(stored != stored.toUpper());
    QCOMPARE(SecretCipher::decryptSecret(stored.toUpper()), QStringLiteral("Top\\Secret"));

    // Characters that are no hex digit count as the digit 0.
    const QString vector = QStringLiteral("6e426b7f3e7de05617d7c4769ba1b39e");
    QString damaged = vector;
    damaged[13] = QLatin1Char('z');
    QCOMPARE(damaged.at(13), QLatin1Char('z'));
    QCOMPARE(vector.at(13), QLatin1Char('0'));
    QCOMPARE(SecretCipher::decryptSecret(damaged), QStringLiteral("4711"));
}

void tst_SecretCipher::undecodableStringsGiveEmptyText_data()
{
    QTest::addColumn<QString>("stored");
    const QString good = SecretCipher::encryptSecret(QStringLiteral("1234"));
    QTest::newRow("null") << QString();
    QTest::newRow("empty") << QString(QLatin1String(""));
    QTest::newRow("odd length") << good.left(31);
    QTest::newRow("one character") << QStringLiteral("a");
    QTest::newRow("not hex at all") << QStringLiteral("zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz");
    QTest::newRow("half a block") << good.left(16);
}

void tst_SecretCipher::undecodableStringsGiveEmptyText()
{
    QFETCH(QString, stored);
    const QString text = SecretCipher::decryptSecret(stored);
    QVERIFY2(text.isEmpty(), qPrintable(text));
}

void tst_SecretCipher::knownAnswerAgainstOpensslCommand_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("plain");
    QTest::newRow("access code") << QStringLiteral("4711") << QByteArray("4711", 5);
    QTest::newRow("empty") << QString() << QByteArray(1, '\0');
    QTest::newRow("backslash doubled") << QStringLiteral("a\\b") << QByteArray("a\\\\b", 5);
    QTest::newRow("two blocks") << QStringLiteral("abcdefghijklmnopqrstu")
                                << QByteArray("abcdefghijklmnopqrstu", 22);
}

void tst_SecretCipher::knownAnswerAgainstOpensslCommand()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, plain);
    const QString openssl = opensslPath();
    if (openssl.isEmpty())
        QSKIP("the openssl command is not installed; knownAnswerVector still pins the bytes");

    QByteArray key;
    QByteArray iv;
    deriveKeyAndIv(&key, &iv);
    QProcess child;
    child.start(openssl, {QStringLiteral("enc"), QStringLiteral("-aes-256-cbc"),
                          QStringLiteral("-K"), QString::fromLatin1(key.toHex()),
                          QStringLiteral("-iv"), QString::fromLatin1(iv.toHex())});
    QVERIFY(child.waitForStarted(30000));
    child.write(plain);
    child.closeWriteChannel();
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    const QByteArray expected = child.readAllStandardOutput().toHex();
    QVERIFY(!expected.isEmpty());
    QCOMPARE(SecretCipher::encryptSecret(text).toLatin1(), expected);
}

void tst_SecretCipher::knownAnswerVector()
{
    // Key and IV computed once with Python's hashlib along the same chain,
    // the cipher text with "openssl enc -aes-256-cbc -K <key> -iv <iv>" over
    // the bytes "4711" and a NUL.
    QByteArray key;
    QByteArray iv;
    deriveKeyAndIv(&key, &iv);
    QCOMPARE(key.toHex(),
             QByteArray("6789bfcb8a8fb05ee1dfa9464ae46f6246cb69fa009b083411de8a562572ebc2"));
    QCOMPARE(iv.toHex(), QByteArray("823a89fd228f89bba7ddb8be99b58ea1"));
    QCOMPARE(SecretCipher::encryptSecret(QStringLiteral("4711")),
             QStringLiteral("6e426b7f3e7de05617d7c4769ba1b39e"));
    QCOMPARE(SecretCipher::decryptSecret(QStringLiteral("6e426b7f3e7de05617d7c4769ba1b39e")),
             QStringLiteral("4711"));
}

void tst_SecretCipher::tamperedLastBlockKeepsEarlierBlocks()
{
    // 31 characters and the NUL fill two blocks exactly, so the third block
    // is all padding. Damaged, its padding no longer checks, and the text is
    // what the two blocks before it decrypt to.
    const QString text(31, QLatin1Char('k'));
    QString stored = SecretCipher::encryptSecret(text);
    QCOMPARE(stored.size(), 96);
    stored[80] = stored.at(80) == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(SecretCipher::decryptSecret(stored), text);
    // Without the last block the input is no whole number of blocks: the
    // first block still decrypts, the rest is dropped.
    QCOMPARE(SecretCipher::decryptSecret(stored.left(40)), QString(16, QLatin1Char('k')));
}

QTEST_APPLESS_MAIN(tst_SecretCipher)
#include "tst_secretcipher.moc"
