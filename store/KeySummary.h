#pragma once

#include <QtGlobal>

namespace Orvane {

// What a set of keys adds up to: their number and a sum of each key mixed,
// taken in one pass over keys read for another purpose. Two sets with the
// same summary are, all but certainly, the same set: it tells whether the
// find index covers exactly the keys of the table, and whether the table
// changed between two reads, without holding either set.
struct KeySummary
{
    qint64 count = 0;
    quint64 sum = 0;

    void add(qint64 key)
    {
        ++count;
        sum += mixed(quint64(key));
    }
    KeySummary &operator+=(const KeySummary &other)
    {
        count += other.count;
        sum += other.sum;
        return *this;
    }
    friend bool operator==(const KeySummary &a, const KeySummary &b)
    {
        return a.count == b.count && a.sum == b.sum;
    }
    friend bool operator!=(const KeySummary &a, const KeySummary &b) { return !(a == b); }

private:
    // Each bit of the key moves about half the bits of the result, so that
    // removing some keys and adding others of the same total almost never
    // sums the same (the finaliser of splitmix64).
    static quint64 mixed(quint64 x)
    {
        x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
        x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
        return x ^ (x >> 31);
    }
};

} // namespace Orvane
