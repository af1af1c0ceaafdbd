#include "framework/ProfileNameIndex.h"

size_t CProfileNameIndex::Home(std::uint64_t stored) const
{
    // The high bits of a multiplicative mix spread names that differ only in their last characters.
    const std::uint64_t mixed = stored * 0x9E3779B97F4A7C15ull;
    return static_cast<size_t>(mixed >> 32) & (m_slots.size() - 1);
}

void CProfileNameIndex::Rebuild(size_t slots)
{
    std::vector<tagEntry> old;
    old.swap(m_slots);
    m_slots.assign(slots, tagEntry());
    for (const tagEntry& entry : old) {
        if (entry.hash == 0)
            continue;
        for (size_t slot = Home(entry.hash);; slot = (slot + 1) & (m_slots.size() - 1)) {
            if (m_slots[slot].hash == 0) {
                m_slots[slot] = entry;
                break;
            }
        }
    }
}

void CProfileNameIndex::Reserve(size_t count)
{
    size_t slots = m_slots.empty() ? kFirstSize : m_slots.size();
    while (slots < count * 2)
        slots *= 2;
    if (slots > m_slots.size())
        Rebuild(slots);
}

void CProfileNameIndex::Insert(std::uint64_t hash, std::uint32_t section, std::uint32_t line)
{
    InsertUnlessFound(hash, section, line, [](const tagEntry&) { return false; });
}
