#include "PointFile.h"

#include "core/files/RegularFile.h"
#include "core/files/TextFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <limits>

namespace levelconf
{

namespace
{
// The problems the operator reads, in the language shown.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(PointFile)
};

std::optional<CalibrationPoint> pointOf(const QString &line)
{
    const int first = line.indexOf(QLatin1Char(';'));
    const int second = first < 0 ? -1 : line.indexOf(QLatin1Char(';'), first + 1);
    if (second < 0)
        return std::nullopt;
    return CalibrationPoint{line.left(first), line.mid(first + 1, second - first - 1),
                            line.mid(second + 1)};
}

// A volume as the file holds it: a whole number that a 32-bit counter can carry.
std::optional<qint64> volumeOf(const QString &text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok, 10);
    if (!ok || v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return v;
}

// Points are the lines after the header, so point i (from 0) stands in line i + 2.
std::optional<qint64> volumeAt(const QList<CalibrationPoint> &points, int i, QString *problem)
{
    const std::optional<qint64> v = volumeOf(points.at(i).volume);
    if (!v)
        *problem = Texts::tr("the volume \"%1\" in line %2 is not a whole number")
                       .arg(points.at(i).volume)
                       .arg(i + 2);
    return v;
}
} // namespace

QString pointFileHeader()
{
    // The grid's three header cells, which are empty, joined as any row is.
    return QStringLiteral(";;");
}

QString pointLine(const CalibrationPoint &point)
{
    return point.number + QLatin1Char(';') + point.volume + QLatin1Char(';') + point.level;
}

LoadedPoints parsePointFile(const QString &text)
{
    LoadedPoints out;
    QStringList lines = text.split(QLatin1Char('\n'));
    // A final line end closes the last line; it does not open another.
    if (lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty()) {
        out.stopLine = 1;
        out.problem = Texts::tr("the file is empty");
        return out;
    }
    for (int i = 1; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const std::optional<CalibrationPoint> p = pointOf(line);
        if (!p) {
            out.stopLine = i + 1;
            out.problem = Texts::tr("line %1 is not number;volume;level").arg(i + 1);
            return out;
        }
        out.points.append(*p);
    }
    return out;
}

std::optional<SeriesEnd> seriesEnd(const QList<CalibrationPoint> &points, QString *problem)
{
    SeriesEnd end;
    const int n = int(points.size());
    if (n == 0)
        return end;
    end.lastVolume = volumeAt(points, n - 1, problem);
    if (!end.lastVolume)
        return std::nullopt;
    if (n == 1)
        return end;
    const std::optional<qint64> before = volumeAt(points, n - 2, problem);
    if (!before)
        return std::nullopt;
    const qint64 step = *end.lastVolume - *before;
    if (step < std::numeric_limits<qint16>::min() || step > std::numeric_limits<qint16>::max()) {
        *problem = Texts::tr("the last two volumes differ by %1, more than a portion can be "
                             "(-32768 to 32767)")
                       .arg(step);
        return std::nullopt;
    }
    end.portion = qint16(step);
    return end;
}

qint64 pendingVolume(const SeriesEnd &end, qint16 portion)
{
    return end.lastVolume ? *end.lastVolume + portion : 0;
}

QString createPointFile(const QString &path)
{
    return replaceTextFile(path, {pointFileHeader()}).value_or(QString());
}

QString appendPointLine(const QString &path, const QString &line)
{
    // The file was a regular one when the calibration took it; a pipe put in its place
    // since would hold the program in the open below.
    if (const std::optional<QString> refusal = saveTargetRefusal(path))
        return *refusal;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly))
        return file.errorString();
    const QByteArray bytes = systemTextLines({line});
    if (file.write(bytes) != bytes.size() || !file.flush())
        return file.errorString();
    file.close();
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    // Written to a file that someone removed meanwhile, the line went nowhere.
    if (!QFileInfo::exists(path))
        return Texts::tr("the file was removed while it was written");
    return {};
}

} // namespace levelconf
