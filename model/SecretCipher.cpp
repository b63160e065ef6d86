#include "model/SecretCipher.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <memory>

namespace {

const unsigned char kPassPhrase[] = {'Q', 'U', 'I', 'L', 'L', 'B', 'A', 'R', 'N'};
const int kPassPhraseLength = int(sizeof kPassPhrase);

struct ContextFree {
    void operator()(EVP_CIPHER_CTX *context) const { EVP_CIPHER_CTX_free(context); }
};
using ContextPtr = std::unique_ptr<EVP_CIPHER_CTX, ContextFree>;

// Key material and plain text are wiped before their memory is given back.
struct Wiped {
    QByteArray bytes;
    ~Wiped()
    {
        if (!bytes.isEmpty())
            OPENSSL_cleanse(bytes.data(), size_t(bytes.size()));
    }
};

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

} // namespace

void SecretCipher::saltBytes(unsigned char salt[8])
{
    for (int i = 0; i < 4; ++i) {
        salt[i] = static_cast<unsigned char>((saltFirst >> (8 * i)) & 0xffu);
        salt[4 + i] = static_cast<unsigned char>((saltSecond >> (8 * i)) & 0xffu);
    }
}

bool SecretCipher::hexToBytes(const QByteArray &hex, QByteArray *bytes)
{
    if (hex.isEmpty() || hex.size() % 2 != 0)
        return false;
    const int length = hex.size() / 2;
    bytes->resize(length);
    for (int i = 0; i < length; ++i) {
        const int high = hexDigit(hex.at(2 * i));
        const int low = hexDigit(hex.at(2 * i + 1));
        (*bytes)[i] = static_cast<char>((high << 4) | low);
    }
    return true;
}

bool SecretCipher::initSecretCipher(const unsigned char *passPhrase, int passLength,
                                    const unsigned char *salt,
                                    EVP_CIPHER_CTX *encryptContext,
                                    EVP_CIPHER_CTX *decryptContext)
{
    unsigned char key[32];
    unsigned char iv[32];
    const int keyLength = EVP_BytesToKey(EVP_aes_256_cbc(), EVP_sha1(), salt, passPhrase,
                                         passLength, 5, key, iv);
    bool ok = keyLength == 32;
    if (ok && encryptContext)
        ok = EVP_EncryptInit_ex(encryptContext, EVP_aes_256_cbc(), nullptr, key, iv) == 1;
    if (ok && decryptContext)
        ok = EVP_DecryptInit_ex(decryptContext, EVP_aes_256_cbc(), nullptr, key, iv) == 1;
    OPENSSL_cleanse(key, sizeof key);
    OPENSSL_cleanse(iv, sizeof iv);
    return ok;
}

QByteArray SecretCipher::encryptBytes(EVP_CIPHER_CTX *context, const unsigned char *input,
                                      int length)
{
    QByteArray output(length + 16, '\0');
    unsigned char *out = reinterpret_cast<unsigned char *>(output.data());
    int updateLength = 0;
    int finalLength = 0;
    if (EVP_EncryptInit_ex(context, nullptr, nullptr, nullptr, nullptr) != 1
        || EVP_EncryptUpdate(context, out, &updateLength, input, length) != 1
        || EVP_EncryptFinal_ex(context, out + updateLength, &finalLength) != 1)
        return QByteArray();
    output.resize(updateLength + finalLength);
    return output;
}

QByteArray SecretCipher::decryptBytes(EVP_CIPHER_CTX *context, const unsigned char *input,
                                      int length)
{
    QByteArray output(length + 16, '\0');
    unsigned char *out = reinterpret_cast<unsigned char *>(output.data());
    int updateLength = 0;
    int finalLength = 0;
    if (EVP_DecryptInit_ex(context, nullptr, nullptr, nullptr, nullptr) != 1
        || EVP_DecryptUpdate(context, out, &updateLength, input, length) != 1)
        updateLength = 0;
    // A last block whose padding does not check is dropped: the text is
    // what the blocks before it decrypt to.
    if (EVP_DecryptFinal_ex(context, out + updateLength, &finalLength) != 1)
        finalLength = 0;
    output.resize(updateLength + finalLength);
    return output;
}

QString SecretCipher::encryptSecret(const QString &text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    Wiped plain{doubled.toLocal8Bit()};
    plain.bytes.append('\0');

    unsigned char salt[8];
    saltBytes(salt);
    ContextPtr encryptContext(EVP_CIPHER_CTX_new());
    ContextPtr decryptContext(EVP_CIPHER_CTX_new());
    if (!encryptContext || !decryptContext
        || !initSecretCipher(kPassPhrase, kPassPhraseLength, salt, encryptContext.get(),
                             decryptContext.get()))
        return QString();

    const QByteArray cipherText =
        encryptBytes(encryptContext.get(),
                     reinterpret_cast<const unsigned char *>(plain.bytes.constData()),
                     plain.bytes.size());
    return QString::fromLatin1(cipherText.toHex());
}

QString SecretCipher::decryptSecret(const QString &stored)
{
    QByteArray cipherText;
    if (!hexToBytes(stored.toUtf8(), &cipherText))
        return QString();

    unsigned char salt[8];
    saltBytes(salt);
    ContextPtr encryptContext(EVP_CIPHER_CTX_new());
    ContextPtr decryptContext(EVP_CIPHER_CTX_new());
    if (!encryptContext || !decryptContext
        || !initSecretCipher(kPassPhrase, kPassPhraseLength, salt, encryptContext.get(),
                             decryptContext.get()))
        return QString();

    Wiped plain{decryptBytes(decryptContext.get(),
                             reinterpret_cast<const unsigned char *>(cipherText.constData()),
                             cipherText.size())};
    const int nul = plain.bytes.indexOf('\0');
    const int length = nul < 0 ? plain.bytes.size() : nul;
    QString text = QString::fromUtf8(plain.bytes.constData(), length);
    text.replace(QLatin1String("\\\\"), QLatin1String("\\"));
    return text;
}
