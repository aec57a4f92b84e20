#pragma once

#include "PointGrid.h"
#include "window/session/TableFlags.h"

#include <QByteArray>
#include <QObject>
#include <memory>
#include <optional>

class Form3;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;
class SensorSession;

// Tank calibration's controls: the calibration page with its grid, and the settings page's
// button that opens the table editor.
struct CalibrationControls {
    QTabWidget *pages = nullptr; // the page of the grid answers F9 only while in front
    QWidget *tabCalibration = nullptr;
    QPushButton *Command11 = nullptr;
    QPushButton *Command12 = nullptr;
    QPushButton *ch_portion = nullptr;
    QLabel *step_zapr = nullptr;
    QLabel *tar_file_name = nullptr;
    QPushButton *Command14 = nullptr;
    QTableWidget *MSFlexGrid1 = nullptr;
    QPushButton *Command6 = nullptr;
};

// Tank calibration: the sensor's calibration table read into the table editor, edited,
// saved, loaded and written back; and the calibration of a tank by portions, point by
// point into a file.
class CalibrationPart : public QObject, public TableFlags
{
    Q_OBJECT

public:
    CalibrationPart(SensorSession &session, const CalibrationControls &controls, QWidget *window,
                    QObject *parent = nullptr);
    ~CalibrationPart() override;

    // The table editor, made hidden on first use and kept until the window goes.
    Form3 *tableEditor();

    // Tank calibration by portions.
    void Command11_Click(); // a new calibration
    void Command12_Click(); // one continued from its file
    void ch_portion_Click();
    void Command14_Click(); // the pending point recorded

    // The table: Command6 reads it and opens the editor.
    void Command6_Click();
    void readTable();
    // Queues the table write from the editor's cells; false when nothing was queued.
    bool writeTable();
    void fTablSave_Click();
    void fTablOpen_Click();
    // Fills the editor from a table answer and gives the values for the log; nothing, and
    // no cell changed, when the answer is damaged. The answer goes to the results box
    // either way.
    std::optional<QString> showTable(const QByteArray &answer);

    // TableFlags: the editor's two boxes.
    Qt::CheckState litres() override;
    Qt::CheckState percent() override;
    void setFlags(Qt::CheckState litres, Qt::CheckState percent) override;

private:
    void enterValueKey();
    void continueFailed(const QString &path, const QString &reason);
    void tableAnswer(const QByteArray &answer);

    SensorSession &m_session;
    CalibrationControls m_ui;
    QWidget *m_window; // the table editor's parent
    Form3 *m_editor = nullptr;
    std::unique_ptr<PointGrid> m_tank; // the tank calibration in the grid
};
