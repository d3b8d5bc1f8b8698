#pragma once
// The pens, brushes and fonts of both formats' object records, decoded into the player's
// objects, and the stock objects an EMF file may select without creating them.

#include "raster/MetafilePlayer.h"

namespace corvana {

// WMF records; the reader starts at the record's first parameter.
MetafilePlayer::Object ReadWmfPen(ByteReader &r);
MetafilePlayer::Object ReadWmfBrush(ByteReader &r);
MetafilePlayer::Object ReadWmfFont(ByteReader &r);
// `count` bytes (none when negative) up to the first NUL, as Latin-1; the reader does not move.
QString ReadWmfString(ByteReader &r, int count);

// EMF records; the reader starts after the object's slot number.
MetafilePlayer::Object ReadEmfPen(ByteReader &r);
MetafilePlayer::Object ReadEmfExtPen(ByteReader &r);
MetafilePlayer::Object ReadEmfBrush(ByteReader &r);
MetafilePlayer::Object ReadEmfFont(ByteReader &r);
// The object a selection with the stock flag names by its number; an unknown one selects nothing.
MetafilePlayer::Object StockObject(quint32 index);

} // namespace corvana
