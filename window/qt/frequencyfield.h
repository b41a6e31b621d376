#pragma once

#include <QLineEdit>

// A single-line field with a flat one-pixel border instead of a sunken edge.
class FrequencyField : public QLineEdit
{
    Q_OBJECT

public:
    explicit FrequencyField(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
