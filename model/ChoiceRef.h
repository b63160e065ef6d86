#pragma once
#include <QHashFunctions>

class jOption;
class OptionChoice;

// One (option, choice) pair of the constraint engine. Two refs are equal
// when both pointers are equal.
struct ChoiceRef {
    jOption *option = nullptr;
    OptionChoice *choice = nullptr;

    ChoiceRef() = default;
    ChoiceRef(jOption *o, OptionChoice *c) : option(o), choice(c) {}
    bool operator==(const ChoiceRef &other) const
    {
        return option == other.option && choice == other.choice;
    }
    bool operator!=(const ChoiceRef &other) const { return !(*this == other); }
};

inline uint qHash(const ChoiceRef &ref, uint seed = 0) noexcept
{
    const uint h = qHash(ref.option, seed);
    return h ^ (qHash(ref.choice, seed) + 0x9e3779b9u + (h << 6) + (h >> 2));
}
