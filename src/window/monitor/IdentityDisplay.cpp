// The network search, the sensor picked from it and its identity.
#include "MonitorPart.h"

#include "core/protocol/AnswerCheck.h"
#include "core/protocol/ByteString.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/protocol/FrameCodec.h"
#include "core/protocol/Requests.h"
#include "core/sensor/IdentityAnswer.h"
#include "window/session/SensorSession.h"
#include "window/session/SessionDisplay.h"
#include "window/widgets/Colours.h"

#include <QComboBox>
#include <QLabel>

using namespace levelconf;

QByteArray MonitorPart::identityRequestFrame() const
{
    const auto a = m_session.selectedAddress();
    return a ? identityRequest(*a) : QByteArray();
}

void MonitorPart::Opros_Click()
{
    m_session.engine().queueSearch();
    m_session.display().echoFrame(searchRequest());
    m_session.log(QStringLiteral("Cmd Ask Net "));
    m_followSettings = true;
}

void MonitorPart::CmbNet_Click()
{
    m_session.engine().queue(identityRequestFrame());
    m_followSettings = true;
}

void MonitorPart::showSearch(const QByteArray &addresses)
{
    const QString list = searchListText(addresses);
    m_ui.CmbNet->clear();
    m_ui.CmbNet->addItems(searchAddresses(addresses));
    m_ui.CmbNet->setCurrentIndex(0);
    // Selecting the first sensor found is a pick of that address.
    CmbNet_Click();
    m_ui.netdev->setText(list);
    m_session.display().echoFrame(addresses);
    m_session.log(QStringLiteral("Устройства в сети ") + list);
    m_session.display().showStatus(tr("Network polled."));
}

void MonitorPart::identityAnswer(const QByteArray &answer)
{
    SessionDisplay &display = m_session.display();
    if (identityAnswerDamaged(answer)) {
        // Nothing of it is taken, and the sensor is asked again on the next tick. A
        // command the operator gives before then replaces the question, as it would any
        // pending request.
        display.setStatusColour(Colours::Red);
        display.showStatus(tr("Identity answer damaged: asking again."));
        m_session.log(QStringLiteral("Identity answer damaged: ") + answerCheckText(answer));
        m_session.engine().queue(identityRequestFrame());
        return;
    }
    showIdentity(answer);
    m_followSettings = true;
    display.showStatus(tr(" S/n and FW received"));
}

void MonitorPart::showIdentity(const QByteArray &answer)
{
    const IdentityAnswer id = decodeIdentityAnswer(answer);
    if (!id.serial) {
        // Too short to hold the serial number: the operator sees that the answer was bad
        // and the next identity request (a new pick, a search) tries again.
        m_ui.sn->setText(QStringLiteral("????????"));
        return;
    }
    m_ui.sn->setText(QString::number(*id.serial));
    if (id.versionCode) {
        m_ui.vv->setText(versionText(id.versionPrefix, *id.versionCode));
        m_fwVersion = *id.versionCode;
        m_fwAddress = byteAt(answer, 2);
        runFirmwareLadder();
    }
    m_session.log(identityLogLine(m_ui.sn->text(), m_ui.vv->text()));
}
