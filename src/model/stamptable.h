// A table for one walk: open addressing over slots kept between walks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A slot holds an entry when its generation is the table's, so Clear empties a table that
// once grew large in constant time, and a walk that is one of many allocates nothing.
// THash maps a key to a number; the table keeps its low bits.
template <class TKey, class TValue, class THash> class TStampTable {
public:
    // The value of Key, or null.
    TValue* Find(const TKey& Key)
    {
        if (Slots.empty())
            return nullptr;
        const std::size_t Mask = Slots.size() - 1;
        for (std::size_t At = Start(Key); Slots[At].Generation == Generation; At = (At + 1) & Mask)
            if (Slots[At].Key == Key)
                return &Slots[At].Value;
        return nullptr;
    }
    // Adds Key with Value; false, and the value left as it was, when Key is there already.
    bool Insert(const TKey& Key, const TValue& Value = TValue())
    {
        if (2 * (Used + 1) > Slots.size())
            Grow();
        const std::size_t Mask = Slots.size() - 1;
        std::size_t At = Start(Key);
        while (Slots[At].Generation == Generation) {
            if (Slots[At].Key == Key)
                return false;
            At = (At + 1) & Mask;
        }
        Slots[At] = {Key, Value, Generation};
        ++Used;
        return true;
    }
    void Clear()
    {
        if (Used)
            ++Generation;
        Used = 0;
    }
    // Empties the table and frees its slots.
    void Release()
    {
        std::vector<TSlot>().swap(Slots);
        Used = 0;
    }

private:
    struct TSlot {
        TKey Key{};
        TValue Value{};
        std::uint64_t Generation = 0;
    };
    std::size_t Start(const TKey& Key) const
    {
        const THash Hash;
        return Hash(Key) & (Slots.size() - 1);
    }
    void Grow()
    {
        std::vector<TSlot> Old(Slots.size() < 64 ? 64 : 2 * Slots.size());
        Old.swap(Slots);
        const std::uint64_t Live = Generation;
        Used = 0;
        for (const TSlot& Slot : Old)
            if (Slot.Generation == Live)
                Insert(Slot.Key, Slot.Value);
    }

    std::vector<TSlot> Slots;
    std::size_t Used = 0;
    std::uint64_t Generation = 1;
};

// Objects of the model are at least 16 bytes apart.
struct TAddressHash {
    std::size_t operator()(const void* P) const
    {
        return static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(P) >> 4);
    }
};
