// The Basic and Layout tabs against fixture PPDs (no print system needed).
#include "model/OptionChoice.h"
#include "model/OptionModel.h"
#include "model/ProcessState.h"
#include "model/jOption.h"
#include "support/WidgetLookup.h"
#include "tabs/BookletTab.h"
#include "tabs/GeneralTab.h"
#include "ui/ComboBoxEx.h"
#include "ui/JorButtonGroup.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

// Stands in for the main dialog: the tabs connect to these slots by name.
class FakeDialog : public QWidget {
    Q_OBJECT
public:
    int constraintCalls = 0;
    int colorModeCalls = 0;
    int coverLabelCalls = 0;
public slots:
    void setConstraints() { ++constraintCalls; }
    void toggleColorMode() { ++colorModeCalls; }
    void togglePublishingFronAndBackLabel() { ++coverLabelCalls; }
};

class TstGeneralTab : public QObject {
    Q_OBJECT

private:
    static bool selectPrinter(const QString &fixture)
    {
        const QByteArray path = QFile::encodeName(QStringLiteral(PRINTDECK_FIXTURES_DIR "/") + fixture);
        ppd_file_t *ppd = ppdOpenFile(path.constData());
        if (!ppd)
            return false;
        auto *model = new OptionModel;
        model->loadFromPpd(ppd);
        model->setPrinterName(QStringLiteral("Q1"));
        ppdClose(ppd);
        setCurrentModel(model);
        return true;
    }

    static QColor titleColor(JorButtonGroup *group)
    {
        QLabel *title = group->titleLabelWidget();
        return title->palette().color(QPalette::Active, title->foregroundRole());
    }

    static QStringList items(QComboBox *box)
    {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }

private slots:
    void init() { currentSettingsFile.clear(); }
    void cleanup() { setCurrentModel(nullptr); }

    void widgetsAndRegistrations()
    {
        FakeDialog dialog;
        GeneralTab tab(&dialog);
        const QStringList names{"lblPageSize", "lblMediaType", "lblInputSlot", "lblOutputBin"};
        for (const QString &name : names)
            QVERIFY2(findByName<QLabel>(&tab, name), qPrintable(name));
        auto *size = findByName<ComboBoxEx>(&tab, "cmbBxPageSize");
        QVERIFY(size);
        QCOMPARE(size->width(), 215);
        QVERIFY(findByName<JorButtonGroup>(&tab, "butGroupCol"));
        QVERIFY(findByName<JorButtonGroup>(&tab, "butGroupDuplex"));
        auto *color = findByName<JorButtonGroup>(&tab, "butGroupColorModelGeneral");
        QVERIFY(color);
        QCOMPARE(color->buttonTexts(), (QStringList{"Full color", "Black & white"}));
        QCOMPARE(QSet<QString>(tab.controls().keyBegin(), tab.controls().keyEnd()),
                 (QSet<QString>{"PageSize", "MediaType", "InputSlot", "OutputBin", "Coll", "Duplex",
                                "ColorModel"}));
        QVERIFY(!tab.labels().contains("ColorModel"));
        QCOMPARE(tab.labels().value("Duplex"), tab.controls().value("Duplex"));

        // Tab order through the four boxes and the collate buttons.
        auto *type = findByName<ComboBoxEx>(&tab, "cmbBxMediaType");
        auto *source = findByName<ComboBoxEx>(&tab, "cmbBxInputSlot");
        auto *bin = findByName<ComboBoxEx>(&tab, "cmbBxOutputBin");
        auto *collate = findByName<JorButtonGroup>(&tab, "butGroupCol");
        QCOMPARE(size->nextInFocusChain(), static_cast<QWidget *>(type));
        QCOMPARE(type->nextInFocusChain(), static_cast<QWidget *>(source));
        QCOMPARE(source->nextInFocusChain(), static_cast<QWidget *>(bin));
        QCOMPARE(bin->nextInFocusChain(), static_cast<QWidget *>(collate->button(0)));
        QCOMPARE(collate->button(0)->nextInFocusChain(), static_cast<QWidget *>(collate->button(1)));
    }

    void reloadFillsFromThePpd()
    {
        QVERIFY(selectPrinter("jorvane-color-finisher.ppd"));
        FakeDialog dialog;
        GeneralTab tab(&dialog);
        tab.reload();
        QCOMPARE(tab.tabName(), QStringLiteral("Basic"));
        // fixed captions, whatever the PPD calls the options
        QCOMPARE(findByName<QLabel>(&tab, "lblPageSize")->text(), QStringLiteral("Print size:"));
        QCOMPARE(findByName<QLabel>(&tab, "lblInputSlot")->text(), QStringLiteral("Source:"));
        QCOMPARE(findByName<QLabel>(&tab, "lblOutputBin")->text(), QStringLiteral("Destination:"));
        QCOMPARE(findByName<QLabel>(&tab, "lblMediaType")->text(), QStringLiteral("Media Type:"));

        auto *size = findByName<ComboBoxEx>(&tab, "cmbBxPageSize");
        QCOMPARE(size->currentText(), QStringLiteral("Letter"));
        auto *duplex = findByName<JorButtonGroup>(&tab, "butGroupDuplex");
        QCOMPARE(duplex->checkedText(), QStringLiteral("Off"));
        auto *color = findByName<JorButtonGroup>(&tab, "butGroupColorModelGeneral");
        QVERIFY(color->isEnabled());
        QCOMPARE(color->checkedText(), QStringLiteral("Full color"));
    }

    void customPageSizeHasNoItem()
    {
        QVERIFY(selectPrinter("jorvane-color-finisher.ppd"));
        jOption *pageSize = currentModel->findOption("PageSize");
        QVERIFY(pageSize);
        OptionChoice *custom = pageSize->findChoice("Custom");
        QVERIFY2(custom, "the fixture's CustomPageSize gives a Custom choice");

        GeneralTab tab(nullptr);
        tab.reload();
        auto *size = findByName<ComboBoxEx>(&tab, "cmbBxPageSize");
        const QStringList shown = items(size);
        QCOMPARE(shown.size(), pageSize->choiceCount() - 1);
        QVERIFY(!shown.contains(custom->text()));
        QVERIFY(shown.contains("A4"));
    }

    void colorGroupWithoutFreeChoice_data()
    {
        QTest::addColumn<QString>("fixture");
        // one ColorModel choice; no ColorModel (and no Duplex) at all
        QTest::newRow("monochrome") << "jorvane-mono-minimal.ppd";
        // its one choice is called "Grayscale": no button has that text
        QTest::newRow("monochrome, other wording") << "basic-mono-grayscale.ppd";
        QTest::newRow("no colour option") << "basic-fold-only.ppd";
    }

    void colorGroupWithoutFreeChoice()
    {
        QFETCH(QString, fixture);
        QVERIFY(selectPrinter(fixture));
        FakeDialog dialog;
        GeneralTab tab(&dialog);
        auto *color = findByName<JorButtonGroup>(&tab, "butGroupColorModelGeneral");

        for (int round = 0; round < 2; ++round) {
            tab.reload();
            QCOMPARE(color->checkedText(), QStringLiteral("Black & white"));
            QVERIFY(!color->isEnabled());
            QCOMPARE(titleColor(color), color->normalTitleColor());

            // a constraint pass of the dialog
            tab.clearConstraintMarks();
            tab.enableOptions();
            QCOMPARE(color->checkedText(), QStringLiteral("Black & white"));
            QVERIFY(!color->isEnabled());
            QCOMPARE(titleColor(color), color->normalTitleColor());
        }
    }

    void duplexGroupWithoutDuplexOption()
    {
        QVERIFY(selectPrinter("basic-fold-only.ppd"));
        GeneralTab tab(nullptr);
        auto *duplex = findByName<JorButtonGroup>(&tab, "butGroupDuplex");
        duplex->selectByText("Short edge");
        tab.reload();
        QCOMPARE(duplex->checkedText(), QStringLiteral("Off"));
        QVERIFY(!duplex->isEnabled());
        QCOMPARE(titleColor(duplex), duplex->normalTitleColor());
        // no option: nothing to collect for it
        QVERIFY(!tab.collectOptionValues().contains("Duplex"));
    }

    void pageSizeFansOut()
    {
        QVERIFY(selectPrinter("jorvane-color-finisher.ppd"));
        FakeDialog dialog;
        GeneralTab tab(&dialog);
        tab.reload();
        auto *size = findByName<ComboBoxEx>(&tab, "cmbBxPageSize");
        size->setCurrentIndex(size->findText("A3"));
        QCOMPARE(currentModel->findOption("PageSize")->markedChoice()->key(), QStringLiteral("A3"));
        QVERIFY(dialog.constraintCalls > 0);

        const QHash<QString, QString> values = tab.collectOptionValues();
        for (const char *key : {"PageSize", "PageRegion", "ImageableArea", "PaperDimension", "MediaSize"})
            QCOMPARE(values.value(key), QStringLiteral("A3"));
        QCOMPARE(values.value("Duplex"), QStringLiteral("None"));
        QCOMPARE(values.value("ColorModel"), QStringLiteral("CMYK"));
        QCOMPARE(values.value("Coll"), QStringLiteral("True"));
        QCOMPARE(values.value("InputSlot"), QStringLiteral("Auto"));
    }

    void dialogConnections()
    {
        QVERIFY(selectPrinter("jorvane-color-finisher.ppd"));
        FakeDialog dialog;
        GeneralTab tab(&dialog);
        tab.reload();
        auto *color = findByName<JorButtonGroup>(&tab, "butGroupColorModelGeneral");
        color->button(1)->click();
        QCOMPARE(dialog.colorModeCalls, 1);
        QCOMPARE(currentModel->findOption("ColorModel")->markedChoice()->key(), QStringLiteral("Gray"));

        auto *type = findByName<ComboBoxEx>(&tab, "cmbBxMediaType");
        type->setCurrentIndex(type->findText("Labels"));
        QCOMPARE(dialog.coverLabelCalls, 1);
    }

    void unavailableWithoutPrinter()
    {
        setCurrentModel(nullptr);
        GeneralTab general(nullptr);
        BookletTab booklet(nullptr);
        QVERIFY(!general.isAvailable());
        QVERIFY(!booklet.isAvailable());
        QVERIFY(selectPrinter("jorvane-mono-minimal.ppd"));
        QVERIFY(general.isAvailable());
    }

    void layoutTabAvailability_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<bool>("available");
        QTest::addColumn<bool>("bookletEnabled");
        QTest::addColumn<bool>("foldEnabled");
        QTest::addColumn<bool>("foldChecked");
        QTest::newRow("neither") << "jorvane-mono-minimal.ppd" << false << false << false << false;
        QTest::newRow("fold only") << "basic-fold-only.ppd" << true << false << true << true;
        QTest::newRow("both") << "jorvane-color-finisher.ppd" << true << true << true << false;
    }

    void layoutTabAvailability()
    {
        QFETCH(QString, fixture);
        QFETCH(bool, available);
        QFETCH(bool, bookletEnabled);
        QFETCH(bool, foldEnabled);
        QFETCH(bool, foldChecked);
        QVERIFY(selectPrinter(fixture));
        FakeDialog dialog;
        BookletTab tab(&dialog);
        QCOMPARE(tab.isAvailable(), available);
        // booklet binding needs two-sided printing on the finisher model
        currentModel->markChoiceByKey("Duplex", "DuplexNoTumble");
        tab.reload();
        QCOMPARE(tab.tabName(), QStringLiteral("Layout"));
        auto *booklet = findByName<JorButtonGroup>(&tab, "butGroupJCBooklet");
        auto *fold = findByName<QCheckBox>(&tab, "chkBxFold");
        QVERIFY(booklet && fold);
        QCOMPARE(booklet->isEnabled(), bookletEnabled);
        QCOMPARE(fold->isEnabled(), foldEnabled);
        QCOMPARE(fold->isChecked(), foldChecked);
        if (foldEnabled) {
            // the fold box follows the option
            fold->setChecked(!foldChecked);
            QCOMPARE(currentModel->findOption("Fold")->markedChoice()->key(),
                     foldChecked ? QStringLiteral("False") : QStringLiteral("True"));
            QCOMPARE(tab.collectOptionValues().value("Fold"),
                     foldChecked ? QStringLiteral("False") : QStringLiteral("True"));
            QVERIFY(dialog.constraintCalls > 0);
        }
    }

    void bookletClickMarksTheModel()
    {
        QVERIFY(selectPrinter("jorvane-color-finisher.ppd"));
        FakeDialog dialog;
        BookletTab tab(&dialog);
        tab.reload();
        auto *booklet = findByName<JorButtonGroup>(&tab, "butGroupJCBooklet");
        QCOMPARE(booklet->checkedText(), QStringLiteral("Off"));
        // one-sided: both bindings are forbidden, the group is disabled
        // with its title in the normal colour
        QVERIFY(!booklet->isEnabled());
        QCOMPARE(titleColor(booklet), booklet->normalTitleColor());

        currentModel->markChoiceByKey("Duplex", "DuplexNoTumble");
        tab.enableOptions();
        QVERIFY(booklet->isEnabled());
        booklet->button(2)->click();
        QCOMPARE(currentModel->findOption("JCBooklet")->markedChoice()->key(), QStringLiteral("Right"));
        QCOMPARE(tab.collectOptionValues().value("JCBooklet"), QStringLiteral("Right"));
    }
};

QTEST_MAIN(TstGeneralTab)
#include "tst_generaltab.moc"
