// Choosing, opening and closing the port.
#include "PortBarPart.h"

#include "core/protocol/ExchangeEngine.h"
#include "core/serial/PortAdvice.h"
#include "core/serial/PortNames.h"
#include "core/serial/SerialPort.h"
#include "core/text/Translations.h"
#include "window/platform/OperatorDialogs.h"
#include "window/session/SensorSession.h"
#include "window/session/SessionDisplay.h"
#include "window/widgets/ActionKeys.h"
#include "window/widgets/Colours.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace levelconf;

namespace
{
const QString kNoPort = QStringLiteral("----");
// Shown and logged when the port will not open.
const char *const kUnavailable =
    QT_TRANSLATE_NOOP("PortBarPart", "Com Port %1 unavailable. Select the right COM port.");
// Shown, and logged with the system's reason, when the open port stops working.
const char *const kPortFailed = QT_TRANSLATE_NOOP("PortBarPart", "Error! COM port unavailable");
} // namespace

PortBarPart::PortBarPart(SensorSession &session, const PortBarControls &controls, QObject *parent)
    : QObject(parent), m_session(session), m_ui(controls)
{
    m_timer1.setInterval(1000);
    connect(&m_timer1, &QTimer::timeout, this, &PortBarPart::Timer1_Timer);
    connect(m_ui.BTNOpenCom, &QPushButton::clicked, this, &PortBarPart::BTNOpenCom_Click);
    connect(m_ui.BTNCloseCom, &QPushButton::clicked, this, &PortBarPart::BTNCloseCom_Click);
    // A path typed into the box and confirmed with Enter stays typed text rather than
    // becoming an item: the next refresh of the list would otherwise drop it again.
    m_ui.CmbPort->setInsertPolicy(QComboBox::NoInsert);
    // The text field inside the box is a control of its own to a screen reader.
    if (QLineEdit *typed = m_ui.CmbPort->lineEdit())
        typed->setAccessibleName(tr("Port device"));
    // A device that opens but will not take the line settings says why in a box of its own,
    // before the open is reported as failed.
    connect(&m_session.port().events(), &SerialPortEvents::lineSetUpFailed, this,
            [this](const QString &text) {
                m_session.dialogs().MsgBox(text, OperatorDialogs::Icon::Critical);
            });
    // The engine gives up a port that no longer takes its frames; another part may ask for
    // the port to be closed too.
    connect(&m_session.engine(), &ExchangeEngine::linkLost, this, &PortBarPart::BTNCloseCom_Click);
    // A device that goes, or a write it refuses, is told once; the engine closes the port
    // after its failed writes, and a write that goes through again ends the failure.
    connect(&m_session.port().events(), &SerialPortEvents::deviceLost, this,
            &PortBarPart::tellPortFailure);
    connect(&m_session.engine(), &ExchangeEngine::writeFailed, this, &PortBarPart::tellPortFailure);
    connect(&m_session.engine(), &ExchangeEngine::frameWritten, this,
            [this] { m_failureTold = false; });
    connect(&m_session, &SensorSession::portCloseRequested, this, &PortBarPart::BTNCloseCom_Click);
    bindActionKeys({{m_ui.BTNOpenCom, Qt::Key_O}, {m_ui.BTNCloseCom, Qt::Key_C}});
}

void PortBarPart::start()
{
    m_ui.CmbPort->clear();
    m_ui.CmbPort->addItem(kNoPort);
    m_ui.CmbPort->setCurrentIndex(0);
    m_timer1.start();
    m_ui.BTNOpenCom->setEnabled(true);
}

void PortBarPart::addPortDevice(const QString &device)
{
    if (device.isEmpty())
        return;
    if (!m_extraPorts.contains(device))
        m_extraPorts.append(device);
    if (m_ui.CmbPort->findText(device) < 0)
        m_ui.CmbPort->addItem(device);
    m_ui.CmbPort->setCurrentIndex(m_ui.CmbPort->findText(device));
}

void PortBarPart::Timer1_Timer()
{
    emit listTimerTicked();

    SerialPort &port = m_session.port();
    QStringList found;
    QString trace;
    for (const QString &name : port.portNames()) {
        if (found.size() >= kMaxListedPorts)
            break;
        if (!port.portExists(name))
            continue;
        found.append(name);
        trace += name + QStringLiteral(", ");
    }
    m_session.display().appendResults(trace + QStringLiteral("\r\n"));

    for (const QString &extra : m_extraPorts) {
        if (!found.contains(extra))
            found.append(extra);
    }

    QComboBox *list = m_ui.CmbPort;
    QStringList current;
    for (int i = 0; i < list->count(); ++i)
        current.append(list->itemText(i));
    // A device path typed into the box is kept as typed across a change of the list.
    const int remembered = list->currentIndex();
    const QString text = list->currentText();
    const bool typed = text != kNoPort && !text.isEmpty() &&
                       (remembered < 0 || text != list->itemText(remembered));

    // An unchanged list is left alone, so that a device path being typed into the box
    // is not wiped by the refresh.
    if (found.isEmpty()) {
        if (current == QStringList{kNoPort} && remembered == 0)
            return;
        list->clear();
        list->addItem(kNoPort);
        list->setCurrentIndex(0);
        if (typed)
            list->setEditText(text);
        return;
    }
    if (found == current && remembered >= 0)
        return;

    list->clear();
    list->addItems(found);
    if (remembered >= 0 && remembered < found.size())
        list->setCurrentIndex(remembered);
    else if (remembered >= found.size())
        list->setCurrentIndex(found.size() - 1);
    else
        list->setCurrentIndex(0);
    if (typed)
        list->setEditText(text);
}

void PortBarPart::BTNOpenCom_Click()
{
    m_timer1.stop();
    SerialPort &port = m_session.port();
    const QString item = m_ui.CmbPort->currentText();
    const QString device = port.deviceName(item);
    if (!port.open(device, kBusLineSettings)) {
        const LoggedText text = loggedText("PortBarPart", kUnavailable).arg(item);
        // With no port present there is nothing to give a reason about.
        QString shown = text.shown;
        const QString advice =
            item == kNoPort ? QString() : openFailureAdvice(port.lastOpenFailure(), device);
        if (!advice.isEmpty())
            shown += QLatin1Char('\n') + advice;
        m_session.dialogs().MsgBox(shown, OperatorDialogs::Icon::Warning);
        m_session.log(text.logged);
        BTNCloseCom_Click();
        return;
    }
    m_session.display().switchTags();
    m_session.engine().start();
    m_ui.BTNOpenCom->setEnabled(false);
    m_ui.BTNCloseCom->setEnabled(true);
    m_failureTold = false;
    m_session.log(QStringLiteral("Com Port ") + device + QStringLiteral(" Open"));
    emit m_session.portOpened();
    m_session.beep(1000, 100);
}

void PortBarPart::BTNCloseCom_Click()
{
    m_session.engine().stop();
    // A port that never opened (a failed open, the window closed without one) has no
    // close to log.
    const bool wasOpen = m_session.port().close();
    m_session.display().closeAllTags();
    m_ui.BTNOpenCom->setEnabled(true);
    m_ui.BTNCloseCom->setEnabled(false);
    if (wasOpen)
        m_session.log(QStringLiteral("Com Port ") + m_ui.CmbPort->currentText() +
                      QStringLiteral(" Closed"));
    // The readings, the lamps and the address list show that nothing is connected.
    emit m_session.portClosed();
    m_timer1.start();
}

void PortBarPart::tellPortFailure()
{
    // While the firmware update has the port it tells the failure itself.
    if (m_failureTold || !m_session.engine().holdsPort())
        return;
    m_failureTold = true;
    const LoggedText text = loggedText("PortBarPart", kPortFailed);
    const QString reason = m_session.port().ioFailure();
    m_session.log(reason.isEmpty() ? text.logged : text.logged + QStringLiteral(": ") + reason);
    // Nothing on screen may look live once the line is gone, the box included.
    SessionDisplay &display = m_session.display();
    display.setStatusColour(Colours::Red);
    display.showStatus(text.shown);
    emit m_session.portFailed();
    m_session.dialogs().MsgBox(text.shown, OperatorDialogs::Icon::Critical);
}
