#pragma once

#include <QLineEdit>

// A single-line field with a flat one-pixel border instead of a sunken edge.
class FrequencyField : public QLineEdit
{
    Q_OBJECT

public:
    explicit FrequencyField(QWidget *parent = nullptr);

    // Before the first field is made: what screen readers read of it.
    static void installAccessibility();

protected:
    void paintEvent(QPaintEvent *event) override;
};
