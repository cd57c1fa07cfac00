#ifndef ZAPSANEHODNOTY_H
#define ZAPSANEHODNOTY_H

#include <memory>
#include <optional>
#include <utility>

// What a system keeps beside its doubles: the values exactly as its file wrote them (when it
// was read from one; PresnyStav or PresnyVnejsi) and its stability verdict once decided.
// Copies share the written values, which never change after they are set.
template <typename Hodnoty>
class ZapsaneHodnoty {
    std::shared_ptr<const Hodnoty> zapsane;
    mutable std::optional<bool> rozhodnuti;

public:
    // Keeps the values as written; a verdict decided on the doubles before them is dropped.
    void nastav(Hodnoty hodnoty) {
        zapsane = std::make_shared<const Hodnoty>(std::move(hodnoty));
        rozhodnuti.reset();
    }

    // The values as written, or nullptr when the system was not read from a file.
    const Hodnoty* zapsaneHodnoty() const { return zapsane.get(); }

    // The values as written, or those that zDoublu() gives for the doubles (which are then
    // the exact values).
    template <typename ZDoublu>
    Hodnoty neboZDoublu(ZDoublu zDoublu) const {
        return zapsane ? *zapsane : zDoublu();
    }

    // The verdict, decided by rozhodni() at the first call only: the system does not change
    // after it is built.
    template <typename Rozhodni>
    bool verdikt(Rozhodni rozhodni) const {
        if (!rozhodnuti) rozhodnuti = rozhodni();
        return *rozhodnuti;
    }
};

#endif
