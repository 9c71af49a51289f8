#pragma once

#include <QByteArrayView>

namespace Orvane {

// Where a text is first found in another, byte for byte: the inner loop of
// every find, over every record's folded text.
namespace TextSearch {

// The place of the first needle in text, or -1; an empty needle is found
// at 0.
qsizetype indexOf(QByteArrayView text, QByteArrayView needle);

} // namespace TextSearch
} // namespace Orvane
