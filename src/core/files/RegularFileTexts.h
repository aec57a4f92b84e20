#pragma once

#include <QCoreApplication>
#include <QString>

namespace levelconf
{

// Why a file is refused, in the language shown; the same words on every system.
struct RegularFileTexts {
    Q_DECLARE_TR_FUNCTIONS(RegularFile)

public:
    static QString cannotOpen(const QString &why)
    {
        return tr("it cannot be opened (%1)").arg(why);
    }
    static QString cannotRead(const QString &why) { return tr("it cannot be read (%1)").arg(why); }
    static QString notRegular(const QString &kind)
    {
        return tr("it is %1, not a regular file").arg(kind);
    }
    static QString folder() { return tr("a folder"); }
    static QString namedPipe() { return tr("a named pipe"); }
    static QString characterDevice() { return tr("a character device"); }
    static QString blockDevice() { return tr("a block device"); }
    static QString socket() { return tr("a socket"); }
    static QString somethingElse() { return tr("something else"); }
};

} // namespace levelconf
