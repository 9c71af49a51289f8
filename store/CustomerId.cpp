#include "CustomerId.h"

#include "FindBlock.h"

namespace Orvane {

CustomerId::Match::Match(const CustomerId &id)
    : m_name(FindBlock::foldedQuery(id.name))
    , m_phone(FindBlock::foldedQuery(id.phone))
    , m_key(id.key)
    , m_alone(standsAlone(m_name, m_phone))
{
}

} // namespace Orvane
