#pragma once
#include <QComboBox>

// A combo box whose drop-down list is widened to show its longest item in
// full.
class ComboBoxEx : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBoxEx(QWidget *parent = nullptr);

    // The width the popup gets: the widest item (with its icon), sized by
    // the style, plus the scroll bar when there are more than 10 items, but
    // never less than the combo box itself.
    int popupWidth() const;

    void showPopup() override;
};
