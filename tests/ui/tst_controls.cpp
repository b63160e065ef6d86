// The option controls on their own: the icon button group, the check-box
// button with attached controls and the combo box with the wide popup.
#include "ui/ComboBoxEx.h"
#include "ui/JorButtonGroup.h"
#include "ui/JorCheckBoxButton.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kMark = QStringLiteral(" <img src=':/icons/error'> ");
const QColor kPlain(Qt::red);
const QColor kSelected(Qt::blue);

QColor iconColour(const QAbstractButton *button)
{
    const QImage image = button->icon().pixmap(16, 16).toImage();
    return image.isNull() ? QColor() : image.pixelColor(8, 8);
}
} // namespace

class TestControls : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void selectByText_data();
    void selectByText();
    void clickReportsButtonThenIndex();
    void disabledGroupIgnoresEnableButton();
    void titleMarks();
    void clearButtons();

    void emptyAttachedComboDisablesButton();
    void prepareAttachedRemovesOffItem_data();
    void prepareAttachedRemovesOffItem();
    void pictureClickToggles();

    void popupWidth_data();
    void popupWidth();
    void popupNeverNarrowerThanBox();
    void popupCountsIcons();

private:
    JorButtonGroup *makeGroup(QWidget *parent);
    QTemporaryDir icons;
    QString plainIcon;
};

void TestControls::initTestCase()
{
    QVERIFY(icons.isValid());
    // One plain picture and its "-selected" variant, told apart by colour.
    plainIcon = icons.filePath(QStringLiteral("side"));
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(kPlain);
    QVERIFY(image.save(plainIcon, "PNG"));
    image.fill(kSelected);
    QVERIFY(image.save(plainIcon + QStringLiteral("-selected"), "PNG"));
}

JorButtonGroup *TestControls::makeGroup(QWidget *parent)
{
    auto *group = new JorButtonGroup(parent, QStringLiteral("Duplex"));
    group->addButton(QStringLiteral("Off"), plainIcon);
    group->addButton(QStringLiteral("Long edge"), plainIcon);
    group->addButton(QStringLiteral("Short edge"), plainIcon);
    return group;
}

void TestControls::selectByText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("checked");

    QTest::newRow("second") << "Long edge" << 1;
    QTest::newRow("last") << "Short edge" << 2;
    QTest::newRow("unknown text: the first") << "Sideways" << 0;
    QTest::newRow("case matters") << "long edge" << 0;
}

void TestControls::selectByText()
{
    QFETCH(QString, text);
    QFETCH(int, checked);

    QWidget parent;
    JorButtonGroup *group = makeGroup(&parent);
    QCOMPARE(group->buttonTexts(), QStringList({"Off", "Long edge", "Short edge"}));
    QCOMPARE(group->checkedIndex(), -1);
    QCOMPARE(group->titleLabelWidget()->text(), QStringLiteral("Duplex"));

    group->selectByText(QStringLiteral("Short edge"));
    group->selectByText(text);
    QCOMPARE(group->checkedIndex(), checked);
    QCOMPARE(group->checkedText(), group->buttonTexts().at(checked));
    QCOMPARE(group->titleLabelWidget()->text(), QStringLiteral("Duplex ") + group->buttonTexts().at(checked));
    for (int i = 0; i < group->count(); ++i) {
        QCOMPARE(group->button(i)->accessibleName(), group->buttonTexts().at(i));
        QCOMPARE(group->button(i)->isChecked(), i == checked);
        QCOMPARE(iconColour(group->button(i)), i == checked ? kSelected : kPlain);
    }
}

void TestControls::clickReportsButtonThenIndex()
{
    QWidget parent;
    JorButtonGroup *group = makeGroup(&parent);
    parent.show();
    QStringList events;
    connect(group, QOverload<QAbstractButton *>::of(&JorButtonGroup::buttonClicked), this,
            [&](QAbstractButton *b) { events << QStringLiteral("button:") + b->accessibleName(); });
    connect(group, QOverload<int>::of(&JorButtonGroup::buttonClicked), this,
            [&](int i) { events << QStringLiteral("index:%1").arg(i); });

    QTest::mouseClick(group->button(2), Qt::LeftButton);
    QCOMPARE(events, QStringList({"button:Short edge", "index:2"}));
    QCOMPARE(group->checkedText(), QStringLiteral("Short edge"));
    QCOMPARE(group->titleLabelWidget()->text(), QStringLiteral("Duplex Short edge"));
    QCOMPARE(iconColour(group->button(2)), kSelected);
    QCOMPARE(iconColour(group->button(0)), kPlain);

    events.clear();
    QTest::mouseClick(group->button(0), Qt::LeftButton);
    QCOMPARE(events, QStringList({"button:Off", "index:0"}));
    QCOMPARE(iconColour(group->button(2)), kPlain);
}

void TestControls::disabledGroupIgnoresEnableButton()
{
    QWidget parent;
    JorButtonGroup *group = makeGroup(&parent);

    group->enableButton(1, false);
    QVERIFY(!group->button(1)->isEnabled());
    group->enableButton(group->button(1), true);
    QVERIFY(group->button(1)->isEnabled());

    group->setGroupEnabled(false);
    QCOMPARE(group->titleLabelWidget()->palette().color(QPalette::WindowText), QColor(QStringLiteral("#9f9e9e")));
    group->enableButton(1, false);
    group->enableButton(group->button(2), false);
    group->setGroupEnabled(true);
    QVERIFY(group->button(1)->isEnabled());
    QVERIFY(group->button(2)->isEnabled());
    QCOMPARE(group->titleLabelWidget()->palette().color(QPalette::WindowText), group->normalTitleColor());
    QCOMPARE(group->normalTitleColor(), parent.palette().color(QPalette::WindowText));

    // Out-of-range indexes are ignored.
    group->enableButton(7, false);
    group->setButton(7);
    QCOMPARE(group->checkedIndex(), -1);
}

void TestControls::titleMarks()
{
    QWidget parent;
    JorButtonGroup *group = makeGroup(&parent);
    group->selectByText(QStringLiteral("Long edge"));
    QLabel *title = group->titleLabelWidget();
    const QString plain = title->text();

    group->markTitle(true);
    group->markTitle(true);
    QCOMPARE(title->text(), plain + kMark);
    QCOMPARE(title->textFormat(), Qt::RichText);
    group->markTitle(false);
    QCOMPARE(title->text(), plain);

    group->markTitleWithTip(QStringLiteral("Conflicts with the tray"));
    group->markTitleWithTip(QStringLiteral("Conflicts with the tray"));
    QCOMPARE(title->text(), plain + kMark);
    QCOMPARE(title->toolTip(), QStringLiteral("Conflicts with the tray"));
    QCOMPARE(title->styleSheet(),
             QStringLiteral("QToolTip { color: #ffffff; background-color: #2a82da; border: 1px solid white; }"));
    group->unmarkTitle();
    QCOMPARE(title->text(), plain);
    QVERIFY(title->toolTip().isEmpty());
}

void TestControls::clearButtons()
{
    QWidget parent;
    JorButtonGroup *group = makeGroup(&parent);
    group->selectByText(QStringLiteral("Off"));
    group->clearButtons();
    QVERIFY(group->buttonTexts().isEmpty());
    QCOMPARE(group->checkedIndex(), -1);
    group->addButton(QStringLiteral("Portrait"), plainIcon);
    QCOMPARE(group->buttonTexts(), QStringList({"Portrait"}));
    QCOMPARE(group->button(0)->accessibleName(), QStringLiteral("Portrait"));
    group->selectByText(QStringLiteral("Off"));
    QCOMPARE(group->checkedText(), QStringLiteral("Portrait"));
}

void TestControls::emptyAttachedComboDisablesButton()
{
    QWidget parent;
    auto *button = new JorCheckBoxButton(&parent, QStringLiteral("Staple"), plainIcon);
    auto *empty = new ComboBoxEx(&parent);
    auto *edit = new QLineEdit(&parent);
    auto *label = new QLabel(&parent);
    button->attach(label, QStringLiteral("no_default"));
    button->attach(empty, QStringLiteral("Off"));
    button->attach(edit, QStringLiteral("no_default"));
    QCOMPARE(button->offText(empty), QStringLiteral("Off"));
    QVERIFY(button->offText(&parent).isEmpty());

    button->setChecked(true);
    QVERIFY(edit->isEnabled());
    button->prepareAttached();
    QVERIFY(!button->isEnabled());
    QVERIFY(!button->isChecked());
    QVERIFY(!edit->isEnabled());
    QVERIFY(!label->isEnabled());
    QVERIFY(!empty->isEnabled());
}

void TestControls::prepareAttachedRemovesOffItem_data()
{
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QString>("offText");
    QTest::addColumn<QStringList>("remaining");

    const QStringList all{"Off", "Top left", "Top right"};
    QTest::newRow("checked, off item removed") << true << "Off" << QStringList({"Top left", "Top right"});
    QTest::newRow("unchecked, off item removed") << false << "Off" << QStringList({"Top left", "Top right"});
    QTest::newRow("no_default matches nothing") << true << "no_default" << all;
    QTest::newRow("off text compared case-sensitively") << true << "off" << all;
}

void TestControls::prepareAttachedRemovesOffItem()
{
    QFETCH(bool, checked);
    QFETCH(QString, offText);
    QFETCH(QStringList, remaining);

    QWidget parent;
    auto *button = new JorCheckBoxButton(&parent, QStringLiteral("Staple"), QIcon(plainIcon));
    auto *combo = new ComboBoxEx(&parent);
    combo->addItems({"Off", "Top left", "Top right"});
    auto *edit = new QLineEdit(&parent);
    button->attach(combo, offText);
    button->attach(edit, QStringLiteral("no_default"));
    button->setChecked(checked);

    button->prepareAttached();
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    QCOMPARE(items, remaining);
    QCOMPARE(button->isChecked(), checked);
    QVERIFY(button->isEnabled());
    QCOMPARE(combo->isEnabled(), checked);
    QCOMPARE(edit->isEnabled(), checked);
}

void TestControls::pictureClickToggles()
{
    QWidget parent;
    auto *button = new JorCheckBoxButton(&parent, QStringLiteral("Staple"), plainIcon);
    auto *edit = new QLineEdit(&parent);
    button->attach(edit, QStringLiteral("no_default"));
    parent.show();

    QStringList events;
    connect(button, QOverload<bool>::of(&JorCheckBoxButton::toggled), this,
            [&](bool on) { events << QStringLiteral("bool:%1").arg(on); });
    connect(button, QOverload<int>::of(&JorCheckBoxButton::toggled), this,
            [&](int on) { events << QStringLiteral("int:%1").arg(on); });

    QTest::mouseClick(button->picture(), Qt::LeftButton);
    QVERIFY(button->isChecked());
    QVERIFY(edit->isEnabled());
    QCOMPARE(events, QStringList({"bool:1", "int:1"}));

    events.clear();
    QTest::mouseClick(button->picture(), Qt::LeftButton);
    QVERIFY(!button->isChecked());
    QVERIFY(!edit->isEnabled());
    QCOMPARE(events, QStringList({"bool:0", "int:0"}));

    // The small box itself reports the same way.
    events.clear();
    button->box()->click();
    QCOMPARE(events, QStringList({"bool:1", "int:1"}));
}

void TestControls::popupWidth_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<bool>("scrollBar");

    QTest::newRow("10 items: no scroll bar") << 10 << false;
    QTest::newRow("11 items: scroll bar width added") << 11 << true;
}

void TestControls::popupWidth()
{
    QFETCH(int, items);
    QFETCH(bool, scrollBar);

    QWidget parent;
    auto *reference = new ComboBoxEx(&parent);
    auto *combo = new ComboBoxEx(&parent);
    const QString longest = QStringLiteral("A rather long paper type name");
    for (auto *box : {reference, combo}) {
        box->setFixedWidth(40);
        box->addItem(QStringLiteral("A4"));
        box->addItem(longest);
    }
    for (int i = 2; i < items; ++i)
        combo->addItem(QStringLiteral("Item %1").arg(i));
    parent.show();

    // The reference has the same widest text and only two items.
    const int base = reference->popupWidth();
    QVERIFY(base > 40);
    const int extent = combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, combo);
    QCOMPARE(combo->popupWidth(), base + (scrollBar ? extent : 0));

    combo->showPopup();
    QCOMPARE(combo->view()->window()->width(), combo->popupWidth());
    combo->hidePopup();
}

void TestControls::popupNeverNarrowerThanBox()
{
    QWidget parent;
    auto *combo = new ComboBoxEx(&parent);
    combo->setFixedWidth(300);
    combo->addItems({"A4", "A5"});
    parent.show();
    QCOMPARE(combo->popupWidth(), 300);
}

void TestControls::popupCountsIcons()
{
    QWidget parent;
    auto *plain = new ComboBoxEx(&parent);
    auto *withIcon = new ComboBoxEx(&parent);
    plain->addItem(QStringLiteral("Transparency film"));
    withIcon->addItem(QIcon(plainIcon), QStringLiteral("Transparency film"));
    plain->setFixedWidth(20);
    withIcon->setFixedWidth(20);
    QCOMPARE(withIcon->popupWidth() - plain->popupWidth(), withIcon->iconSize().width() + 4);
}

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
