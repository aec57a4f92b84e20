#include "BrokerUrl.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QUrl>

namespace
{
// The gateway's messages, in the language shown.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(BrokerUrl)
};
} // namespace

QString BrokerUrl::text() const
{
    const QString h =
        host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    return QStringLiteral("%1://%2:%3").arg(tls ? "mqtts" : "mqtt", h).arg(port);
}

QString withoutUserInfo(const QString &text)
{
    // Up to the last "@" before the path: a password may hold "@" or ":" of its own.
    static const QRegularExpression userInfo(QStringLiteral("^([^/]*//)?[^/?#]*@"));
    const QRegularExpressionMatch m = userInfo.match(text);
    if (!m.hasMatch())
        return text;
    return m.captured(1) + QStringLiteral("***@") + text.mid(m.capturedEnd());
}

std::optional<BrokerUrl> parseBrokerUrl(const QString &text, QString *error)
{
    const QUrl url(text, QUrl::StrictMode);
    BrokerUrl b;
    b.tls = url.scheme() == QLatin1String("mqtts");
    if (!url.isValid() || (!b.tls && url.scheme() != QLatin1String("mqtt"))) {
        *error = Texts::tr("the broker is given as mqtt://HOST[:PORT] or "
                           "mqtts://HOST[:PORT], not \"%1\"")
                     .arg(withoutUserInfo(text));
        return std::nullopt;
    }
    if (!url.userInfo().isEmpty()) {
        *error = Texts::tr("no user name or password in the broker's address: give "
                           "--username and --password-file");
        return std::nullopt;
    }
    if (url.host().isEmpty() || url.port() == 0 ||
        (!url.path().isEmpty() && url.path() != QLatin1String("/")) || url.hasQuery() ||
        url.hasFragment()) {
        *error = Texts::tr("the broker is given as a host and a port only, not \"%1\"")
                     .arg(withoutUserInfo(text));
        return std::nullopt;
    }
    b.host = url.host();
    b.port = quint16(url.port(b.tls ? 8883 : 1883));
    return b;
}
