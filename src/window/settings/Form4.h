#pragma once

#include <QWidget>
#include <memory>

namespace Ui
{
class Form4;
}

// The small level shift window: a signed shift and one button for each calibration
// level. Every button hides the window again; the text typed stays for the next time.
class Form4 : public QWidget
{
    Q_OBJECT

public:
    explicit Form4(QWidget *parent = nullptr);
    ~Form4() override;

    QString shiftText() const;
    Ui::Form4 *form() const { return ui.get(); }

signals:
    void shiftFullRequested();  // Command1
    void shiftEmptyRequested(); // Command3

private:
    std::unique_ptr<Ui::Form4> ui;
};
