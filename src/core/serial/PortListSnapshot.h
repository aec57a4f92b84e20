#pragma once

#include <QElapsedTimer>
#include <QStringList>

#include <functional>
#include <utility>

namespace levelconf
{

// The port names the system lists, asked of it once for a round of questions: the list
// refresh asks about each of up to 30 names once a second, and one enumeration serves
// them all.
class PortListSnapshot
{
public:
    explicit PortListSnapshot(std::function<QStringList()> enumerate)
        : m_enumerate(std::move(enumerate))
    {
    }

    // Asks the system now.
    const QStringList &fresh()
    {
        m_names = m_enumerate();
        m_age.start();
        return m_names;
    }

    // What the system said a moment ago, or asks it again when that is older.
    const QStringList &recent()
    {
        if (!m_age.isValid() || m_age.elapsed() > kMaxAgeMs)
            return fresh();
        return m_names;
    }

private:
    static constexpr int kMaxAgeMs = 500;

    std::function<QStringList()> m_enumerate;
    QStringList m_names;
    QElapsedTimer m_age;
};

} // namespace levelconf
