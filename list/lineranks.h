#pragma once
// The order of a list's distinct lines: each line's rank, equal lines sharing
// one, by the platform's sort keys or by the fast keys that order them the same
// way.

#include <QByteArrayView>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace lineranks {

// A line's bytes (Windows-1252), where the list keeps them.
struct LineSpan {
    const char* data;
    qsizetype size;
    QByteArrayView view() const { return QByteArrayView(data, size); }
};

// With the platform's sort keys (QCollator's order).
std::vector<quint32> ranks(const std::vector<LineSpan>& lines);
// With the fast keys; none when a line holds what they cannot order.
std::optional<std::vector<quint32>> fastRanks(const std::vector<LineSpan>& lines);

} // namespace lineranks
