#pragma once

#include <QWidget>

// The start-up picture shown while the main window loads: a drawing of a tank with its
// level sensor and the program's name.
class Form2 : public QWidget
{
    Q_OBJECT

public:
    explicit Form2(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
