#include "TransferRules.h"

QList<QByteArray> writePieces(const QByteArray &data)
{
    QList<QByteArray> pieces;
    for (qsizetype at = 0; at < data.size(); at += Transfer::kBlock)
        pieces.append(data.mid(at, Transfer::kBlock));
    return pieces;
}
