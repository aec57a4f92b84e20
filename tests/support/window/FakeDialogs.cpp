#include "FakeDialogs.h"

using namespace levelconf;

QStringList FakeDialogs::messages() const
{
    QStringList out;
    for (const Shown &s : shown) {
        if (s.kind == QLatin1String("msg"))
            out.append(s.text);
    }
    return out;
}

void FakeDialogs::MsgBox(const QString &text, Icon icon, const QString &title)
{
    shown.append({QStringLiteral("msg"), text, title, icon, {}});
    if (whileShown)
        whileShown();
}

bool FakeDialogs::YesNo(const QString &text, const QString &title)
{
    shown.append({QStringLiteral("yesno"), text, title, Icon::None, {}});
    if (whileShown)
        whileShown();
    if (yesNoAnswers.empty())
        return true;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

std::optional<QString> FakeDialogs::InputBox(const QString &prompt, const QString &title,
                                             const QString &initial)
{
    shown.append({QStringLiteral("input"), prompt, title, Icon::None, initial});
    if (whileShown)
        whileShown();
    if (inputAnswers.empty())
        return std::nullopt;
    auto answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

QString FakeDialogs::nextFile(const QString &kind, const QString &title, const QString &filter)
{
    shown.append({kind, QString(), title, Icon::None, filter});
    if (fileAnswers.empty())
        return {};
    const QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

QString FakeDialogs::OpenFile(const QString &title, const QString &filter, const QString &)
{
    return nextFile(QStringLiteral("open"), title, filter);
}

QString FakeDialogs::SaveFile(const QString &title, const QString &filter, const QString &)
{
    return nextFile(QStringLiteral("save"), title, filter);
}
