#include "KeyList.h"

#include <algorithm>
#include <limits>

namespace Orvane {

void KeyList::reserve(qsizetype count)
{
    if (m_wide)
        m_wideKeys.reserve(count);
    else
        m_keys.reserve(count);
}

void KeyList::append(qint64 key)
{
    if (!m_wide && (key < 0 || key > std::numeric_limits<quint32>::max())) {
        m_wideKeys.reserve(std::max(m_keys.capacity(), m_keys.size() + 1));
        for (quint32 narrow : std::as_const(m_keys))
            m_wideKeys.append(narrow);
        m_keys = {};
        m_wide = true;
    }
    if (m_wide)
        m_wideKeys.append(key);
    else
        m_keys.append(quint32(key));
}

void KeyList::clear()
{
    m_keys = {};
    m_wideKeys = {};
    m_wide = false;
}

void KeyList::squeeze()
{
    m_keys.squeeze();
    m_wideKeys.squeeze();
}

void KeyList::reverse()
{
    std::reverse(m_keys.begin(), m_keys.end());
    std::reverse(m_wideKeys.begin(), m_wideKeys.end());
}

qsizetype KeyList::indexOf(qint64 key) const
{
    if (m_wide)
        return m_wideKeys.indexOf(key);
    if (key < 0 || key > std::numeric_limits<quint32>::max())
        return -1;
    return m_keys.indexOf(quint32(key));
}

QVector<qint64> KeyList::toVector() const
{
    if (m_wide)
        return m_wideKeys;
    QVector<qint64> keys;
    keys.reserve(m_keys.size());
    for (quint32 key : m_keys)
        keys.append(key);
    return keys;
}

} // namespace Orvane
