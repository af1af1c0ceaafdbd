#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Where each name of a profile document stands, by the hash of the name: an open-addressing table of
// (hash, section, line) that keeps no text. A lookup hands every entry with the hash to the caller, who
// compares the name that the entry's line holds; a file of 100,000 entries thus costs no string per key.
class CProfileNameIndex
{
public:
    struct tagEntry
    {
        std::uint64_t hash = 0; // 0: a free slot
        std::uint32_t section = 0;
        std::uint32_t line = 0;
    };

    void Clear() { m_slots.clear(), m_nUsed = 0; }

    void Insert(std::uint64_t hash, std::uint32_t section, std::uint32_t line);

    // Makes room for `count` entries at once, so that a whole file's names go in without regrowing.
    void Reserve(size_t count);

    // Asks the processor to fetch the slot where a walk for the hash starts, ahead of the walk.
    void Prefetch(std::uint64_t hash) const
    {
#if defined(__GNUC__)
        if (!m_slots.empty())
            __builtin_prefetch(&m_slots[Home(Stored(hash))]);
#else
        (void)hash;
#endif
    }

    // An entry with the hash that `matches` accepts; nullptr when none. The document enters each name of
    // a section once, so at most one entry matches.
    template <typename Matches> const tagEntry* Find(std::uint64_t hash, Matches matches) const
    {
        if (m_slots.empty())
            return nullptr;
        const std::uint64_t stored = Stored(hash);
        for (size_t slot = Home(stored);; slot = (slot + 1) & (m_slots.size() - 1)) {
            const tagEntry& entry = m_slots[slot];
            if (entry.hash == 0)
                return nullptr;
            if (entry.hash == stored && matches(entry))
                return &entry;
        }
    }

    // Inserts the entry unless one with the hash that `matches` accepts is there; whether it inserted.
    // One walk over the slots does both.
    template <typename Matches>
    bool InsertUnlessFound(std::uint64_t hash, std::uint32_t section, std::uint32_t line, Matches matches)
    {
        if ((m_nUsed + 1) * 2 > m_slots.size())
            Rebuild(m_slots.empty() ? kFirstSize : m_slots.size() * 2);
        const std::uint64_t stored = Stored(hash);
        for (size_t slot = Home(stored);; slot = (slot + 1) & (m_slots.size() - 1)) {
            tagEntry& entry = m_slots[slot];
            if (entry.hash == 0) {
                entry = {stored, section, line};
                ++m_nUsed;
                return true;
            }
            if (entry.hash == stored && matches(entry))
                return false;
        }
    }

private:
    static constexpr size_t kFirstSize = 64;

    // Never 0, so that 0 marks a free slot.
    static std::uint64_t Stored(std::uint64_t hash)
    {
        return hash | 1;
    }
    size_t Home(std::uint64_t stored) const;
    void Rebuild(size_t slots);

    std::vector<tagEntry> m_slots; // a power of two, at most half used
    size_t m_nUsed = 0;
};
