// The tab base class driven through a small tab over a fixture PPD with
// constraints: filling from stored values and defaults, marking on user
// changes, moving off forbidden choices, conflict marks and the values
// collected for Apply.
#include "TestTab.h"
#include "support/TestUserDir.h"
#include "support/WidgetLookup.h"

#include "model/CupsPpd.h"
#include "model/OptionChoice.h"
#include "model/OptionModel.h"
#include "model/ProcessState.h"
#include "model/jOption.h"
#include "ui/ComboBoxEx.h"
#include "ui/JorButtonGroup.h"
#include "ui/JorCheckBoxButton.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QStandardItemModel>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {
const QString kMark = QStringLiteral(" <img src=':/icons/error'> ");

QString markedKey(const char *key)
{
    jOption *option = currentModel ? currentModel->findOption(QLatin1String(key)) : nullptr;
    if (!option || !option->markedChoice())
        return QString();
    return option->markedChoice()->key();
}

bool constrained(const char *key, const char *choice)
{
    jOption *option = currentModel->findOption(QLatin1String(key));
    OptionChoice *c = option ? option->findChoice(QLatin1String(choice)) : nullptr;
    return c && c->isConstrained();
}
} // namespace

class TestTabBase : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void fillsControls_data();
    void fillsControls();
    void captionsFollowTheModel();
    void userChangesMarkTheModel();
    void comboMovesOffForbiddenChoice_data();
    void comboMovesOffForbiddenChoice();
    void buttonGroupFollowsConstraints_data();
    void buttonGroupFollowsConstraints();
    void checkBoxFollowsConstraints_data();
    void checkBoxFollowsConstraints();
    void checkBoxButtonOnForbidden();
    void conflictMarks();
    void customAndTooltipMarks();
    void collectOptionValues_data();
    void collectOptionValues();
    void sliderValues_data();
    void sliderValues();
    void tabNameWithoutTitle();

private:
    void writeSettings(const QByteArray &content);
    void select(ComboBoxEx *combo, const QString &text);

    std::unique_ptr<TestUserDir> user;
    std::unique_ptr<ConstraintsCounter> dialog;
    TestTab *tab = nullptr;
};

void TestTabBase::init()
{
    user = std::make_unique<TestUserDir>();
    QVERIFY(QDir().mkpath(user->path()));
    currentSettingsFile = user->filePath(QStringLiteral("tabbase.cfg"));

    const QByteArray ppdPath = QByteArray(PRINTDECK_FIXTURES_DIR) + "/tabbase-constraints.ppd";
    ppd_file_t *ppd = ppdOpenFile(ppdPath.constData());
    QVERIFY2(ppd, ppdPath.constData());
    auto *model = new OptionModel;
    model->loadFromPpd(ppd);
    ppdClose(ppd);
    setCurrentModel(model);
    QVERIFY(currentModel->findOption(QStringLiteral("TbMedia")));

    dialog = std::make_unique<ConstraintsCounter>();
    tab = new TestTab(dialog.get());
    dialog->show();
}

void TestTabBase::cleanup()
{
    dialog.reset(); // deletes the tab
    tab = nullptr;
    setCurrentModel(nullptr);
    currentSettingsFile.clear();
    user.reset();
}

void TestTabBase::writeSettings(const QByteArray &content)
{
    QFile file(currentSettingsFile);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

void TestTabBase::select(ComboBoxEx *combo, const QString &text)
{
    const int index = combo->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    combo->setCurrentIndex(index);
}

void TestTabBase::fillsControls_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("media");
    QTest::addColumn<bool>("eco");
    QTest::addColumn<QString>("side");
    QTest::addColumn<bool>("staple");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("positionMark");

    QTest::newRow("no settings file: defaults")
        << QByteArray() << "Plain paper" << false << "One-sided" << false << "Top left" << "None";
    QTest::newRow("stored values")
        << QByteArray("TbMedia=Film\nTbEco=True\nTbSide=Long\nTbStaple=True\nTbStplPos=TopRight\n")
        << "Transparency film" << true << "Long edge" << true << "Top right" << "TopRight";
    QTest::newRow("recorded defaults still current")
        << QByteArray("TbMedia=Heavy;Plain\nTbSide=Short;One\n")
        << "Heavy paper" << false << "Short edge" << false << "Top left" << "None";
    QTest::newRow("recorded default changed: the new default wins")
        << QByteArray("TbMedia=Heavy;Film\nTbSide=Short;Long\n")
        << "Plain paper" << false << "One-sided" << false << "Top left" << "None";
    QTest::newRow("values naming no choice: defaults")
        << QByteArray("TbMedia=Bogus\nTbEco=Maybe\nTbSide=Triple\nTbStaple=\nTbStplPos=Middle\n")
        << "Plain paper" << false << "One-sided" << false << "Top left" << "None";
}

void TestTabBase::fillsControls()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, media);
    QFETCH(bool, eco);
    QFETCH(QString, side);
    QFETCH(bool, staple);
    QFETCH(QString, position);
    QFETCH(QString, positionMark);

    if (!settings.isEmpty())
        writeSettings(settings);
    tab->reload();
    QCOMPARE(dialog->calls, 0); // filling never asks for a conflict pass

    auto *mediaBox = findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxTbMedia"));
    QVERIFY(mediaBox);
    QCOMPARE(mediaBox->count(), 3);
    QCOMPARE(mediaBox->currentText(), media);
    QCOMPARE(currentModel->findOption(QStringLiteral("TbMedia"))->findChoiceByText(media)->key(),
             markedKey("TbMedia"));

    auto *ecoBox = findByName<QCheckBox>(tab, QStringLiteral("chkBxTbEco"));
    QVERIFY(ecoBox);
    QCOMPARE(ecoBox->isChecked(), eco);
    QCOMPARE(markedKey("TbEco"), eco ? QStringLiteral("True") : QStringLiteral("False"));

    auto *sides = findByName<JorButtonGroup>(tab, QStringLiteral("butGroupTbSide"));
    QVERIFY(sides);
    QCOMPARE(sides->checkedText(), side);
    QCOMPARE(sides->titleLabelWidget()->text(), QStringLiteral("Sides ") + side);
    QVERIFY(sides->isEnabled());

    auto *stapleButton = findByName<JorCheckBoxButton>(tab, QStringLiteral("chkButTbStaple"));
    auto *positionBox = findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxTbStplPos"));
    QVERIFY(stapleButton && positionBox);
    QCOMPARE(stapleButton->isChecked(), staple);
    QCOMPARE(markedKey("TbStaple"), staple ? QStringLiteral("True") : QStringLiteral("False"));
    // The off choice is taken out of the position list.
    QCOMPARE(positionBox->count(), 2);
    QCOMPARE(positionBox->findText(QStringLiteral("Off")), -1);
    QCOMPARE(positionBox->currentText(), position);
    QCOMPARE(positionBox->isEnabled(), staple);
    QCOMPARE(findByName<QLabel>(tab, QStringLiteral("lblTbStplPos"))->isEnabled(), staple);
    // While stapling is off the model holds the position's off choice.
    QCOMPARE(markedKey("TbStplPos"), positionMark);
}

void TestTabBase::captionsFollowTheModel()
{
    tab->reload();
    auto *mediaLabel = findByName<QLabel>(tab, QStringLiteral("lblTbMedia"));
    QCOMPARE(mediaLabel->text(), QStringLiteral("Media:"));
    QVERIFY(mediaLabel->isEnabled());
    QVERIFY(tab->mediaCompanion->isEnabled());
    QCOMPARE(findByName<QCheckBox>(tab, QStringLiteral("chkBxTbEco"))->text(), QStringLiteral("Toner saving"));

    // No default in the PPD: the combo stays on its first item.
    auto *noDefault = findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxTbNoDef"));
    QCOMPARE(noDefault->count(), 2);
    QCOMPARE(noDefault->currentIndex(), 0);

    // An option the printer lacks: combo emptied and disabled, caption and
    // companion disabled.
    auto *gone = findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxTbGone"));
    gone->addItem(QStringLiteral("left over"));
    tab->reload();
    QCOMPARE(gone->count(), 0);
    QVERIFY(!gone->isEnabled());
    QVERIFY(!findByName<QLabel>(tab, QStringLiteral("lblTbGone"))->isEnabled());
    QVERIFY(!tab->goneCompanion->isEnabled());

    // Without a model the captions are left as they are.
    setCurrentModel(nullptr);
    mediaLabel->setText(QStringLiteral("kept"));
    tab->updateOptionLabels();
    QCOMPARE(mediaLabel->text(), QStringLiteral("kept"));
}

void TestTabBase::userChangesMarkTheModel()
{
    tab->reload();
    // Connecting again must not double the connections.
    tab->connectControls();

    select(findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxTbMedia")), QStringLiteral("Heavy paper"));
    QCOMPARE(markedKey("TbMedia"), QStringLiteral("Heavy"));
    QCOMPARE(dialog->calls, 1);

    findByName<QCheckBox>(tab, QStringLiteral("chkBxTbEco"))->click();
    QCOMPARE(markedKey("TbEco"), QStringLiteral("True"));
    QCOMPARE(dialog->calls, 2);

    auto *sides = findByName<JorButtonGroup>(tab, QStringLiteral("butGroupTbSide"));
    QPushButton *shortEdge = findByName<QPushButton>(sides, QStringLiteral("Short edge"));
    QVERIFY(shortEdge);
    QTest::mouseClick(shortEdge, Qt::LeftButton);
    QCOMPARE(sides->checkedText(), QStringLiteral("Short edge"));
    QCOMPARE(markedKey("TbSide"), QStringLiteral("Short"));
    QCOMPARE(dialog->calls, 3);

    // The staple picture: the button's option and its attached position.
    auto *stapleButton = findByName<JorCheckBoxButton>(tab, QStringLiteral("chkButTbStaple"));
    QTest::mouseClick(stapleButton->picture(), Qt::LeftButton);
    QVERIFY(stapleButton->isChecked());
    QCOMPARE(markedKey("TbStaple"), QStringLiteral("True"));
    QCOMPARE(markedKey("TbStplPos"), QStringLiteral("TopLeft"));
    QVERIFY(findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxTbStplPos"))->isEnabled());
    QCOMPARE(dialog->calls, 5); // toggled(bool) and toggled(int)

    QTest::mouseClick(stapleButton->picture(), Qt::LeftButton);
    QCOMPARE(markedKey("TbStaple"), QStringLiteral("False"));
    QCOMPARE(markedKey("TbStplPos"), QStringLiteral("None"));
    QVERIFY(!findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxTbStplPos"))->isEnabled());

    auto *slider = findByName<QSlider>(tab, QStringLiteral("sldTbLevel"));
    slider->setValue(1);
    QCOMPARE(markedKey("TbLevel"), QStringLiteral("1"));
    slider->setValue(0);
    QCOMPARE(markedKey("TbLevel"), QStringLiteral("0"));

    // A control text that names no choice marks the default.
    auto *media = findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxTbMedia"));
    media->addItem(QStringLiteral("Cardboard"));
    select(media, QStringLiteral("Cardboard"));
    QCOMPARE(markedKey("TbMedia"), QStringLiteral("Plain"));

    // A blocked tab marks nothing.
    tab->blockControlSignals(true);
    const int calls = dialog->calls;
    select(media, QStringLiteral("Transparency film"));
    QCOMPARE(markedKey("TbMedia"), QStringLiteral("Plain"));
    QCOMPARE(dialog->calls, calls);
}

void TestTabBase::comboMovesOffForbiddenChoice_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<QString>("expectedMark");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QList<bool>>("itemEnabled");

    QTest::newRow("current choice free")
        << "Automatic" << "Heavy paper" << "Heavy paper" << "Heavy" << false
        << QList<bool>{true, true, true};
    QTest::newRow("to the first free item, marked")
        << "Manual feed" << "Heavy paper" << "Transparency film" << "Film" << true
        << QList<bool>{false, false, true};
    QTest::newRow("everything forbidden: item 0, nothing marked")
        << "Tray 2" << "Transparency film" << "Plain paper" << "Film" << false
        << QList<bool>{false, false, false};
}

void TestTabBase::comboMovesOffForbiddenChoice()
{
    QFETCH(QString, slot);
    QFETCH(QString, start);
    QFETCH(QString, expectedText);
    QFETCH(QString, expectedMark);
    QFETCH(bool, changed);
    QFETCH(QList<bool>, itemEnabled);

    tab->reload();
    auto *media = findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxTbMedia"));
    select(media, start);
    select(findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxInputSlot")), slot);
    const int calls = dialog->calls;

    jOption *option = currentModel->findOption(QStringLiteral("TbMedia"));
    QCOMPARE(tab->enableOptionsForComboBox(media, option), changed);
    QCOMPARE(media->currentText(), expectedText);
    QCOMPARE(markedKey("TbMedia"), expectedMark);
    QCOMPARE(dialog->calls, calls); // the switch itself is silent

    auto *items = qobject_cast<QStandardItemModel *>(media->model());
    const QColor disabledText = media->palette().color(QPalette::Disabled, QPalette::Text);
    for (int i = 0; i < itemEnabled.size(); ++i) {
        QStandardItem *item = items->item(i);
        if (itemEnabled.at(i)) {
            QCOMPARE(item->flags(), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            QVERIFY(!item->data(Qt::ForegroundRole).isValid());
        } else {
            QVERIFY(!(item->flags() & (Qt::ItemIsSelectable | Qt::ItemIsEnabled)));
            QCOMPARE(item->data(Qt::ForegroundRole).value<QBrush>().color(), disabledText);
        }
    }

    // Freed again: every item selectable without a colour of its own.
    select(findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxInputSlot")), QStringLiteral("Automatic"));
    QVERIFY(!tab->enableOptionsForComboBox(media, option));
    for (int i = 0; i < media->count(); ++i) {
        QCOMPARE(items->item(i)->flags(), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        QVERIFY(!items->item(i)->data(Qt::ForegroundRole).isValid());
    }

    // A disabled combo box is left alone.
    select(findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxInputSlot")), QStringLiteral("Tray 2"));
    media->setEnabled(false);
    select(media, QStringLiteral("Heavy paper"));
    QVERIFY(!tab->enableOptionsForComboBox(media, option));
    QCOMPARE(media->currentText(), QStringLiteral("Heavy paper"));
}

void TestTabBase::buttonGroupFollowsConstraints_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<bool>("groupEnabled");
    QTest::addColumn<QList<bool>>("buttonEnabled");

    QTest::newRow("all free") << "Automatic" << "Long edge" << false << "Long edge" << "Long"
                              << true << QList<bool>{true, true, true};
    QTest::newRow("one free choice: group disabled")
        << "Bypass tray" << "One-sided" << false << "One-sided" << "One" << false
        << QList<bool>{true, false, false};
    QTest::newRow("marked choice forbidden: to the first free one")
        << "Envelope feeder" << "One-sided" << true << "Long edge" << "Long" << true
        << QList<bool>{false, true, true};
    QTest::newRow("all forbidden: first choice, group disabled")
        << "Tray 2" << "Short edge" << false << "One-sided" << "One" << false
        << QList<bool>{false, false, false};
}

void TestTabBase::buttonGroupFollowsConstraints()
{
    QFETCH(QString, slot);
    QFETCH(QString, start);
    QFETCH(bool, changed);
    QFETCH(QString, checked);
    QFETCH(QString, mark);
    QFETCH(bool, groupEnabled);
    QFETCH(QList<bool>, buttonEnabled);

    tab->reload();
    auto *sides = findByName<JorButtonGroup>(tab, QStringLiteral("butGroupTbSide"));
    QTest::mouseClick(findByName<QPushButton>(sides, start), Qt::LeftButton);
    select(findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxInputSlot")), slot);

    jOption *option = currentModel->findOption(QStringLiteral("TbSide"));
    QCOMPARE(tab->enableOptionsForButtonGroup(sides, option), changed);
    QCOMPARE(sides->checkedText(), checked);
    QCOMPARE(markedKey("TbSide"), mark);
    QCOMPARE(sides->isEnabled(), groupEnabled);
    // A disabled group keeps its title in the normal colour.
    QCOMPARE(sides->titleLabelWidget()->palette().color(QPalette::WindowText), sides->normalTitleColor());
    for (int i = 0; i < buttonEnabled.size(); ++i)
        QCOMPARE(sides->button(i)->isEnabledTo(sides), buttonEnabled.at(i));
}

void TestTabBase::checkBoxFollowsConstraints_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<bool>("start");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("free") << "Automatic" << true << false << true << true;
    QTest::newRow("on forbidden, checked: unchecked and re-marked")
        << "Manual feed" << true << true << false << false;
    QTest::newRow("on forbidden, unchecked") << "Manual feed" << false << false << false << false;
    QTest::newRow("off forbidden, unchecked: checked and re-marked")
        << "Envelope feeder" << false << true << true << false;
}

void TestTabBase::checkBoxFollowsConstraints()
{
    QFETCH(QString, slot);
    QFETCH(bool, start);
    QFETCH(bool, changed);
    QFETCH(bool, checked);
    QFETCH(bool, enabled);

    tab->reload();
    auto *eco = findByName<QCheckBox>(tab, QStringLiteral("chkBxTbEco"));
    eco->setChecked(start);
    QCOMPARE(markedKey("TbEco"), start ? QStringLiteral("True") : QStringLiteral("False"));
    select(findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxInputSlot")), slot);

    QCOMPARE(tab->enableOptionsForCheckBox(eco, currentModel->findOption(QStringLiteral("TbEco"))), changed);
    QCOMPARE(eco->isChecked(), checked);
    QCOMPARE(eco->isEnabled(), enabled);
    QCOMPARE(markedKey("TbEco"), checked ? QStringLiteral("True") : QStringLiteral("False"));

    // Back on a free slot the box is usable again.
    select(findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxInputSlot")), QStringLiteral("Automatic"));
    tab->enableOptions();
    QVERIFY(eco->isEnabled());
}

void TestTabBase::checkBoxButtonOnForbidden()
{
    writeSettings("TbStaple=True\nTbStplPos=TopRight\n");
    tab->reload();
    auto *stapleButton = findByName<JorCheckBoxButton>(tab, QStringLiteral("chkButTbStaple"));
    QVERIFY(stapleButton->isChecked());
    QCOMPARE(markedKey("TbStplPos"), QStringLiteral("TopRight"));

    select(findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxInputSlot")), QStringLiteral("Tray 2"));
    QVERIFY(constrained("TbStaple", "True"));
    tab->blockControlSignals(true);
    QVERIFY(tab->enableOptions());
    QVERIFY(!stapleButton->isChecked());
    QVERIFY(!stapleButton->isEnabled());
    QCOMPARE(markedKey("TbStaple"), QStringLiteral("False"));
    // The attached position follows the feature even with signals blocked.
    QCOMPARE(markedKey("TbStplPos"), QStringLiteral("None"));
    QVERIFY(!findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxTbStplPos"))->isEnabled());

    // A second pass has nothing left to change.
    QVERIFY(!tab->enableOptionsForCheckBoxButton(stapleButton, currentModel->findOption(QStringLiteral("TbStaple"))));
    tab->blockControlSignals(false);

    // The tray that allows stapling makes the button usable again.
    select(findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxInputSlot")), QStringLiteral("Automatic"));
    tab->enableOptions();
    QVERIFY(stapleButton->isEnabled());
    QVERIFY(!stapleButton->isChecked());
}

void TestTabBase::conflictMarks()
{
    tab->reload();
    auto *mediaLabel = findByName<QLabel>(tab, QStringLiteral("lblTbMedia"));
    auto *sides = findByName<JorButtonGroup>(tab, QStringLiteral("butGroupTbSide"));
    auto *eco = findByName<QCheckBox>(tab, QStringLiteral("chkBxTbEco"));
    auto *media = findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxTbMedia"));
    const QString sidesTitle = sides->titleLabelWidget()->text();
    QVERIFY(!tab->hasConstraints());

    tab->addConflictMark(media, mediaLabel);
    tab->addConflictMark(sides, sides);
    tab->addConflictMark(eco, eco);
    tab->addConflictMark(media, mediaLabel); // the same entry once
    QCOMPARE(tab->conflictMarks().size(), 3);

    for (int pass = 0; pass < 3; ++pass) {
        tab->clearConstraintMarks();
        tab->setConstraintsShown(false);
        tab->showConstraintMarks();
        QVERIFY(tab->hasConstraints());
        QCOMPARE(mediaLabel->text(), QStringLiteral("Media:") + kMark);
        QCOMPARE(mediaLabel->textFormat(), Qt::RichText);
        QCOMPARE(sides->titleLabelWidget()->text(), sidesTitle + kMark);
    }
    // Shown twice without clearing: still one mark.
    tab->showConstraintMarks();
    QCOMPARE(mediaLabel->text().count(QStringLiteral("<img")), 1);
    QCOMPARE(sides->titleLabelWidget()->text().count(QStringLiteral("<img")), 1);
    if (QFile::exists(QStringLiteral(":/icons/error")))
        QVERIFY(!eco->icon().isNull());

    tab->removeConflictMark(media);
    tab->removeConflictMark(sides);
    tab->removeConflictMark(eco);
    QVERIFY(tab->conflictMarks().isEmpty());
    tab->clearConstraintMarks();
    tab->setConstraintsShown(false);
    tab->showConstraintMarks();
    QVERIFY(!tab->hasConstraints());
    QCOMPARE(mediaLabel->text(), QStringLiteral("Media:"));
    QCOMPARE(sides->titleLabelWidget()->text(), sidesTitle);
    QVERIFY(eco->icon().isNull());

    // A reload empties the table; the widgets stay.
    tab->addConflictMark(mediaLabel, mediaLabel);
    tab->reload();
    QVERIFY(tab->conflictMarks().isEmpty());
    QCOMPARE(mediaLabel->text(), QStringLiteral("Media:"));
    QVERIFY(findByName<QLabel>(tab, QStringLiteral("lblTbMedia")) == mediaLabel);
}

void TestTabBase::customAndTooltipMarks()
{
    tab->reload();
    auto *mediaLabel = findByName<QLabel>(tab, QStringLiteral("lblTbMedia"));
    auto *sides = findByName<JorButtonGroup>(tab, QStringLiteral("butGroupTbSide"));

    tab->markCustomConstraint(QStringLiteral("TbMedia"), QString());
    tab->markCustomConstraint(QStringLiteral("TbMedia"), QString());
    QVERIFY(tab->hasConstraints());
    QCOMPARE(mediaLabel->text(), QStringLiteral("Media:") + kMark);

    tab->setConstraintsShown(false);
    tab->markCustomConstraint(QStringLiteral("TbSide"), QString());
    QVERIFY(tab->hasConstraints());
    QVERIFY(sides->titleLabelWidget()->text().endsWith(kMark));

    tab->setConstraintsShown(false);
    tab->markCustomConstraint(QStringLiteral("TbEco"), QString());
    QVERIFY(tab->hasConstraints());

    tab->setConstraintsShown(false);
    tab->markCustomConstraint(QStringLiteral("NoSuchKey"), QString());
    QVERIFY(!tab->hasConstraints());

    tab->clearConstraintMarks();
    QCOMPARE(mediaLabel->text(), QStringLiteral("Media:"));

    tab->setConstraintMark(mediaLabel, QStringLiteral("Not with manual feed"), true);
    tab->setConstraintMark(mediaLabel, QStringLiteral("Not with manual feed"), true);
    QCOMPARE(mediaLabel->text(), QStringLiteral("Media:") + kMark);
    QCOMPARE(mediaLabel->toolTip(), QStringLiteral("Not with manual feed"));
    QVERIFY(mediaLabel->styleSheet().contains(QStringLiteral("background-color: #2a82da")));
    tab->setConstraintMark(mediaLabel, QString(), false);
    QCOMPARE(mediaLabel->text(), QStringLiteral("Media:"));
    QVERIFY(mediaLabel->toolTip().isEmpty());

    const QString title = sides->titleLabelWidget()->text().remove(kMark);
    tab->setConstraintMark(sides, QStringLiteral("Side tip"), true);
    QCOMPARE(sides->titleLabelWidget()->text(), title + kMark);
    QCOMPARE(sides->titleLabelWidget()->toolTip(), QStringLiteral("Side tip"));
    tab->setConstraintMark(sides, QString(), false);
    QCOMPARE(sides->titleLabelWidget()->text(), title);
    QVERIFY(sides->titleLabelWidget()->toolTip().isEmpty());
}

using ValueMap = QHash<QString, QString>;

void TestTabBase::collectOptionValues_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("extraMediaItem");
    QTest::addColumn<ValueMap>("expected");

    const ValueMap defaults{
        {"InputSlot", "Auto"}, {"TbMedia", "Plain"},     {"TbEco", "False"},
        {"TbSide", "One"},     {"TbStaple", "False"},    {"TbStplPos", "None"},
        {"TbNoDef", "Matte"},  {"TbLevel", "0"},
    };
    QTest::newRow("defaults; staple off puts the off choice") << QByteArray() << QString() << defaults;

    ValueMap stored = defaults;
    stored["TbMedia"] = "Heavy";
    stored["TbEco"] = "True";
    stored["TbStaple"] = "True";
    stored["TbStplPos"] = "TopRight";
    stored["TbNoDef"] = "Gloss";
    QTest::newRow("staple on: the position shown")
        << QByteArray("TbMedia=Heavy\nTbEco=True\nTbStaple=True\nTbStplPos=TopRight\nTbNoDef=Gloss\n")
        << QString() << stored;

    ValueMap offKeeps = defaults;
    offKeeps["TbNoDef"] = "Gloss";
    QTest::newRow("staple off: a no_default detail keeps its value")
        << QByteArray("TbStplPos=TopRight\nTbNoDef=Gloss\n") << QString() << offKeeps;

    ValueMap noChoice = defaults;
    noChoice.remove("TbMedia");
    QTest::newRow("a text of no choice is left out") << QByteArray() << "Cardboard" << noChoice;
}

void TestTabBase::collectOptionValues()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, extraMediaItem);
    QFETCH(ValueMap, expected);

    if (!settings.isEmpty())
        writeSettings(settings);
    tab->reload();
    if (!extraMediaItem.isEmpty()) {
        auto *media = findByName<ComboBoxEx>(tab, QStringLiteral("cmbBxTbMedia"));
        media->addItem(extraMediaItem);
        select(media, extraMediaItem);
    }
    const ValueMap values = tab->collectOptionValues();
    QCOMPARE(values, expected);
    QVERIFY(!values.contains(QStringLiteral("TbGone")));
}

void TestTabBase::sliderValues_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("hue: tens") << "CaHueMaster" << 3 << "30";
    QTest::newRow("hue: negative") << "CaHueMaster" << -2 << "-20";
    QTest::newRow("hue: zero") << "CaHueMaster" << 0 << "0";
    QTest::newRow("other: one decimal") << "CaHr" << 3 << "3.0";
    QTest::newRow("other: negative") << "CaHr" << -4 << "-4.0";
    QTest::newRow("other: zero without decimal") << "CaHr" << 0 << "0";
}

void TestTabBase::sliderValues()
{
    QFETCH(QString, key);
    QFETCH(int, value);
    QFETCH(QString, text);

    QSlider slider;
    slider.setRange(-10, 10);
    slider.setValue(value);
    jOption option(key, key);
    QCOMPARE(tab->valueOfControl(&slider, &option), text);
}

void TestTabBase::tabNameWithoutTitle()
{
    auto *unnamed = new TestTab(dialog.get(), false);
    QStringList shown;
    auto closeBox = [&shown]() {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown << box->text();
            box->done(0);
        }
    };
    for (int call = 0; call < 2; ++call) {
        QTimer::singleShot(0, closeBox);
        QCOMPARE(unnamed->tabName(), QStringLiteral("ERROR"));
    }
    QCOMPARE(shown, QStringList({"ERROR: tabName not init'd!", "ERROR: tabName not init'd!"}));

    tab->setTabName();
    QCOMPARE(tab->tabName(), QStringLiteral("Test"));
}

QTEST_MAIN(TestTabBase)
#include "tst_tabbase.moc"
