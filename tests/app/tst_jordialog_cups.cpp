// The main dialog against a private cupsd: selecting a printer switches
// the tabs and writes a new printer's defaults at once, Apply reports
// success, a queue that disappears while selected ends in the error and the
// "installed printers have changed" message, and Cancel closes. Apply
// through the Basic tab reaches the queue's lpoptions defaults; an
// unreachable server and a hung lpoptions end in the error, never in
// "Settings applied.".
#include "MessageCatcher.h"
#include "support/CupsTestBed.h"
#include "support/EnvOverride.h"
#include "support/ProcessHelpers.h"
#include "support/TestUserDir.h"
#include "support/WidgetLookup.h"

#include "app/JorDialog.h"
#include "app/JorTabWidget.h"
#include "model/OptionModel.h"
#include "model/ProcessState.h"
#include "printing/LpoptionsWriter.h"
#include "profiles/SettingsStore.h"
#include "tabs/GeneralTab.h"
#include "tabs/PrinterTab.h"
#include "ui/ComboBoxEx.h"
#include "ui/JorButtonGroup.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <memory>

namespace {

// The value stored for key in a settings file ("KEY=VALUE;PPD default").
QString storedValue(const QString &settingsFile, const QString &key)
{
    QFile file(settingsFile);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray prefix = key.toUtf8() + '=';
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return QString::fromUtf8(line.mid(prefix.size()).split(';').first());
    }
    return QString();
}

enum class ApplyFailure { UnreachableServer, HungLpoptions };

} // namespace

Q_DECLARE_METATYPE(ApplyFailure)

class TestJorDialogCups : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void firstSelectionWritesDefaultsSilently();
    void sameRowAgainDoesNothing();
    void applyReportsSuccess();
    void queueRemovedWhileSelected();
    void cancelledPasswordPromptKeepsDialogOpen();
    void applyWritesBasicTabChanges_data();
    void applyWritesBasicTabChanges();
    void applyFailureShowsError_data();
    void applyFailureShowsError();

private:
    QPushButton *button(QDialogButtonBox::StandardButton which) const
    {
        return dialog->buttons()->button(which);
    }
    QTableWidget *table() const { return dialog->printerTabPtr()->table(); }
    void select(const QString &queue)
    {
        const int row = rowOf(table(), queue);
        QVERIFY2(row >= 0, qPrintable(queue));
        table()->setCurrentCell(row, 0);
    }
    // What `lpoptions -p QUEUE` prints, as key -> value.
    QHash<QString, QString> queueDefaults(const QString &queue)
    {
        QString output;
        if (!bed.runTool(QStringLiteral("lpoptions"), {QStringLiteral("-p"), queue}, &output))
            qWarning("%s", qPrintable(bed.lastError()));
        QHash<QString, QString> options;
        for (const QString &word : output.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const int equals = word.indexOf(QLatin1Char('='));
            if (equals > 0)
                options.insert(word.left(equals), word.mid(equals + 1).trimmed());
        }
        return options;
    }
    // On the Basic tab, as a user would: a click on a duplex button and
    // another media size in the combo.
    void changeBasicTab(const QString &duplexText, const QString &sizeText)
    {
        GeneralTab *basic = dialog->generalTabPtr();
        dialog->tabWidgetPtr()->setCurrentWidget(basic);
        auto *duplex = findByName<JorButtonGroup>(basic, QStringLiteral("butGroupDuplex"));
        QVERIFY(duplex);
        QPushButton *side = findByName<QPushButton>(duplex, duplexText);
        QVERIFY2(side, qPrintable(duplex->buttonTexts().join(QLatin1String(", "))));
        QVERIFY(side->isVisible() && side->isEnabled());
        QTest::mouseClick(side, Qt::LeftButton);
        QCOMPARE(duplex->checkedText(), duplexText);

        auto *size = findByName<ComboBoxEx>(basic, QStringLiteral("cmbBxPageSize"));
        QVERIFY(size);
        const int index = size->findText(sizeText);
        QVERIFY2(index >= 0 && index != size->currentIndex(), qPrintable(sizeText));
        size->setCurrentIndex(index);
        QCOMPARE(size->currentText(), sizeText);
    }

    CupsTestBed bed;
    // lpoptions keeps the user's defaults in $HOME/.cups, and Apply resets
    // other applications' settings under $HOME: both stay in the test's tree.
    QTemporaryDir home;
    std::unique_ptr<EnvOverride> homeEnv;
    std::unique_ptr<TestUserDir> userDir;
    std::unique_ptr<JorDialog> dialog;
};

void TestJorDialogCups::initTestCase()
{
    QVERIFY(home.isValid());
    homeEnv = std::make_unique<EnvOverride>();
    homeEnv->set("HOME", QFile::encodeName(home.path()));
    QVERIFY2(bed.start(), qPrintable(bed.lastError()));
    QVERIFY2(bed.addFixtureQueue(QStringLiteral("JColor"), QStringLiteral("jorvane-color-finisher.ppd")),
             qPrintable(bed.lastError()));
    QVERIFY2(bed.addFixtureQueue(QStringLiteral("JMono"), QStringLiteral("jorvane-mono-minimal.ppd")),
             qPrintable(bed.lastError()));
}

void TestJorDialogCups::cleanupTestCase()
{
    bed.stop();
    homeEnv.reset();
}

void TestJorDialogCups::init()
{
    userDir.reset(new TestUserDir);
    QVERIFY(SettingsStore::writeConsent(true));
    dialog.reset(new JorDialog);
    dialog->show();
    QVERIFY(rowOf(table(), QStringLiteral("JColor")) >= 0);
}

void TestJorDialogCups::cleanup()
{
    dialog.reset();
    setCurrentModel(nullptr);
    currentSettingsFile.clear();
    userDir.reset();
}

void TestJorDialogCups::firstSelectionWritesDefaultsSilently()
{
    QVERIFY(!button(QDialogButtonBox::Ok)->isEnabled());
    QVERIFY(!dialog->profilesButtonPtr()->isEnabled());
    QVERIFY(!SettingsStore::printerSettingsFileExists(QStringLiteral("JColor")));
    MessageCatcher catcher;
    select(QStringLiteral("JColor"));
    QVERIFY(currentModel);
    QCOMPARE(currentModel->printerName(), QStringLiteral("JColor"));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Printdeck - JColor"));
    // A printer seen for the first time gets its defaults written at once,
    // without any message.
    QVERIFY(SettingsStore::printerSettingsFileExists(QStringLiteral("JColor")));
    QVERIFY2(catcher.messages.isEmpty(), qPrintable(catcher.names().join(' ')));
    QVERIFY(button(QDialogButtonBox::Ok)->isEnabled());
    QVERIFY(button(QDialogButtonBox::Apply)->isEnabled());
    QVERIFY(dialog->saveAsButtonPtr()->isEnabled());
    QVERIFY(dialog->profilesButtonPtr()->isEnabled());
    // The Basic tab applies to this printer.
    JorTabWidget *tabs = dialog->tabWidgetPtr();
    QVERIFY(tabs->isTabEnabled(tabs->indexOf(dialog->generalTabPtr())));
}

void TestJorDialogCups::sameRowAgainDoesNothing()
{
    select(QStringLiteral("JMono"));
    const QString settings = SettingsStore::printerSettingsFilePath(QStringLiteral("JMono"));
    QVERIFY(QFile::remove(settings));
    OptionModel *model = currentModel;
    // Another cell of the same row: no model switch, no reload, no writing.
    table()->setCurrentCell(table()->currentRow(), 2);
    QCOMPARE(currentModel, model);
    QVERIFY(!QFile::exists(settings));
}

void TestJorDialogCups::applyReportsSuccess()
{
    select(QStringLiteral("JColor"));
    const QString settings = SettingsStore::printerSettingsFilePath(QStringLiteral("JColor"));
    QVERIFY(QFile::remove(settings));
    MessageCatcher catcher;
    QTest::mouseClick(button(QDialogButtonBox::Apply), Qt::LeftButton);
    QCOMPARE(catcher.names(), QStringList{QStringLiteral("msgSettingsApplied")});
    QCOMPARE(catcher.messages.first().title, QStringLiteral("Success"));
    QCOMPARE(catcher.messages.first().text, QStringLiteral("Settings applied."));
    QVERIFY(QFile::exists(settings));
    QVERIFY(dialog->isVisible());
    // The selection survives the table reload of Apply.
    QCOMPARE(table()->item(table()->currentRow(), 0)->text(), QStringLiteral("JColor"));
}

void TestJorDialogCups::queueRemovedWhileSelected()
{
    QVERIFY2(bed.addFixtureQueue(QStringLiteral("JGone"), QStringLiteral("jorvane-mono-minimal.ppd")),
             qPrintable(bed.lastError()));
    dialog->printerTabPtr()->reloadPrinterTable();
    select(QStringLiteral("JGone"));
    QVERIFY(currentModel);
    dialog->tabWidgetPtr()->setCurrentWidget(dialog->generalTabPtr());
    QVERIFY(bed.removeQueue(QStringLiteral("JGone")));

    MessageCatcher catcher;
    QTest::mouseClick(button(QDialogButtonBox::Ok), Qt::LeftButton);
    QCOMPARE(catcher.names(),
             (QStringList{QStringLiteral("msgApplyError"), QStringLiteral("msgPrintersChanged")}));
    QCOMPARE(catcher.messages.first().text, QStringLiteral("Error: Printer does not exist or lpoptions failed."));
    QCOMPARE(dialog->tabWidgetPtr()->currentIndex(), 0);
    QVERIFY(currentModel == nullptr);
    QCOMPARE(rowOf(table(), QStringLiteral("JGone")), -1);
    // OK did not close the dialog over an Apply that failed.
    QVERIFY(dialog->isVisible());

    // Cancel closes it.
    QTest::mouseClick(button(QDialogButtonBox::Cancel), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
}

void TestJorDialogCups::cancelledPasswordPromptKeepsDialogOpen()
{
    select(QStringLiteral("JColor"));
    const QString settings = SettingsStore::printerSettingsFilePath(QStringLiteral("JColor"));
    QVERIFY(QFile::remove(settings));
    PrinterTab *printerTab = dialog->printerTabPtr();
    QCheckBox *installed = nullptr;
    for (QWidget *control : printerTab->controls()) {
        if ((installed = qobject_cast<QCheckBox *>(control)))
            break;
    }
    QVERIFY(installed);
    installed->click();
    QVERIFY(printerTab->installedOptionsChanged());

    // The password prompt opens; the user cancels it.
    QString promptTitle;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            auto *prompt = qobject_cast<QDialog *>(window);
            if (prompt && prompt->isVisible() && prompt->objectName() == QLatin1String("dlgPasswordPrompt")) {
                promptTitle = prompt->windowTitle();
                prompt->reject();
            }
        }
    });
    poll.start(10);
    MessageCatcher catcher;
    QTest::mouseClick(button(QDialogButtonBox::Ok), Qt::LeftButton);
    poll.stop();

    QCOMPARE(promptTitle, QStringLiteral("Password Prompt"));
    QVERIFY2(catcher.messages.isEmpty(), qPrintable(catcher.names().join(' ')));
    QVERIFY(!dialog->acceptAllowed);
    QVERIFY(dialog->isVisible());
    QVERIFY(!QFile::exists(settings));
    QVERIFY(printerTab->installedOptionsChanged());
}

void TestJorDialogCups::applyWritesBasicTabChanges_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QString>("duplexText");
    QTest::addColumn<QString>("duplexKey");
    QTest::addColumn<QString>("sizeText");
    QTest::addColumn<QString>("sizeKey");
    // Each row changes both options away from the queue's PPD defaults.
    QTest::newRow("colour queue: Long edge, A4")
        << QStringLiteral("JColor") << QStringLiteral("Long edge") << QStringLiteral("DuplexNoTumble")
        << QStringLiteral("A4") << QStringLiteral("A4");
    QTest::newRow("mono queue: Short edge, Letter")
        << QStringLiteral("JMono") << QStringLiteral("Short edge") << QStringLiteral("DuplexTumble")
        << QStringLiteral("Letter") << QStringLiteral("Letter");
}

void TestJorDialogCups::applyWritesBasicTabChanges()
{
    QFETCH(QString, queue);
    QFETCH(QString, duplexText);
    QFETCH(QString, duplexKey);
    QFETCH(QString, sizeText);
    QFETCH(QString, sizeKey);

    select(queue);
    QVERIFY(currentModel);
    // The first selection wrote the PPD defaults.
    const QHash<QString, QString> before = queueDefaults(queue);
    QVERIFY2(before.contains(QStringLiteral("Duplex")), qPrintable(QStringList(before.keys()).join(' ')));
    QVERIFY(before.value(QStringLiteral("Duplex")) != duplexKey);
    QVERIFY(before.value(QStringLiteral("PageSize")) != sizeKey);

    changeBasicTab(duplexText, sizeText);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(button(QDialogButtonBox::Apply)->isEnabled());

    MessageCatcher catcher;
    QTest::mouseClick(button(QDialogButtonBox::Apply), Qt::LeftButton);
    QCOMPARE(catcher.names(), QStringList{QStringLiteral("msgSettingsApplied")});
    QCOMPARE(catcher.messages.first().text, QStringLiteral("Settings applied."));

    const QHash<QString, QString> after = queueDefaults(queue);
    QCOMPARE(after.value(QStringLiteral("Duplex")), duplexKey);
    QCOMPARE(after.value(QStringLiteral("PageSize")), sizeKey);
    const QString settings = SettingsStore::printerSettingsFilePath(queue);
    QCOMPARE(storedValue(settings, QStringLiteral("Duplex")), duplexKey);
    QCOMPARE(storedValue(settings, QStringLiteral("PageSize")), sizeKey);
}

void TestJorDialogCups::applyFailureShowsError_data()
{
    QTest::addColumn<ApplyFailure>("failure");
    QTest::addColumn<QStringList>("messages");
    // Whether the settings file took the new values: it is written before
    // lpoptions runs, but not for a queue the server does not list.
    QTest::addColumn<bool>("settingsWritten");

    QTest::newRow("unreachable server")
        << ApplyFailure::UnreachableServer
        << QStringList{QStringLiteral("msgApplyError"), QStringLiteral("msgPrintersChanged")} << false;
    // SLOW: waits out the real limit of LpoptionsWriter (30 s).
    QTest::newRow("hung lpoptions, real 30 s limit")
        << ApplyFailure::HungLpoptions << QStringList{QStringLiteral("msgApplyError")} << true;
}

void TestJorDialogCups::applyFailureShowsError()
{
    QFETCH(ApplyFailure, failure);
    QFETCH(QStringList, messages);
    QFETCH(bool, settingsWritten);
    const QString queue = QStringLiteral("JColor");

    select(queue);
    QVERIFY(currentModel);
    const QHash<QString, QString> before = queueDefaults(queue);
    QCOMPARE(before.value(QStringLiteral("Duplex")), QStringLiteral("None"));
    QCOMPARE(before.value(QStringLiteral("PageSize")), QStringLiteral("Letter"));
    changeBasicTab(QStringLiteral("Long edge"), QStringLiteral("A4"));
    if (QTest::currentTestFailed())
        return;

    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    const QString standIn = bin.filePath(QStringLiteral("lpoptions"));
    QStringList shown;
    QString errorText;
    qint64 elapsed = 0;
    {
        EnvOverride env;
        if (failure == ApplyFailure::UnreachableServer) {
            env.set("CUPS_SERVER", "127.0.0.1:" + QByteArray::number(closedLoopbackPort()));
            cupsSetServer(nullptr);
        } else {
            // The default limit, not a shortened one.
            QCOMPARE(LpoptionsWriter::timeoutMs, 30000);
            // A stand-in that never ends, with a child of its own; both
            // process ids go into a file beside it.
            QVERIFY(writeShellScript(standIn, "echo $$ > \"$0.pids\"\nsleep 600 &\necho $! >> \"$0.pids\"\nwait\n"));
            env.set("PATH", QFile::encodeName(bin.path()) + ':' + qgetenv("PATH"));
        }
        MessageCatcher catcher;
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(button(QDialogButtonBox::Apply), Qt::LeftButton);
        elapsed = timer.elapsed();
        shown = catcher.names();
        if (!catcher.messages.isEmpty())
            errorText = catcher.messages.first().text;
    }

    QVERIFY2(!shown.contains(QStringLiteral("msgSettingsApplied")), qPrintable(shown.join(' ')));
    QCOMPARE(shown, messages);
    QCOMPARE(errorText, QStringLiteral("Error: Printer does not exist or lpoptions failed."));
    QCOMPARE(dialog->tabWidgetPtr()->currentIndex(), 0);
    QVERIFY(dialog->isVisible());

    if (failure == ApplyFailure::HungLpoptions) {
        QVERIFY2(elapsed >= LpoptionsWriter::timeoutMs, qPrintable(QString::number(elapsed)));
        QVERIFY2(elapsed < 2 * LpoptionsWriter::timeoutMs, qPrintable(QString::number(elapsed)));
        QFile pidFile(standIn + QStringLiteral(".pids"));
        QVERIFY(pidFile.open(QIODevice::ReadOnly));
        const QList<QByteArray> pids = pidFile.readAll().trimmed().split('\n');
        QCOMPARE(pids.size(), 2);
        for (const QByteArray &pid : pids)
            QTRY_VERIFY2_WITH_TIMEOUT(processGone(pid.trimmed().toLongLong()), pid.constData(), 5000);
        // The queue is still there: the selection stays.
        QVERIFY(currentModel);
    }

    // Neither failure changed the queue's defaults.
    const QHash<QString, QString> after = queueDefaults(queue);
    QCOMPARE(after.value(QStringLiteral("Duplex")), QStringLiteral("None"));
    QCOMPARE(after.value(QStringLiteral("PageSize")), QStringLiteral("Letter"));
    const QString settings = SettingsStore::printerSettingsFilePath(queue);
    QCOMPARE(storedValue(settings, QStringLiteral("Duplex")),
             settingsWritten ? QStringLiteral("DuplexNoTumble") : QStringLiteral("None"));
}

QTEST_MAIN(TestJorDialogCups)
#include "tst_jordialog_cups.moc"
