#pragma once

#include <memory>
#include <vector>

#include "battle/frm_battle.h"
#include "core/checked.h"
#include "platform/widgets/controls.h"
#include "platform/widgets/picture_box.h"

namespace velmora {

// The same kind of control several times over, addressed by index from `First`; any other index
// is a run-time error.
template <class T, int First, int Count>
class ControlArray {
  public:
    explicit ControlArray(platform::Container& parent) {
        for (int i = 0; i < Count; ++i) {
            items_.push_back(std::make_unique<T>(parent));
        }
    }
    T& operator[](int index) const {
        if (index < First || index >= First + Count) {
            platform::raise(platform::RuntimeError::Kind::SubscriptOutOfRange);
        }
        return *items_[static_cast<std::size_t>(index - First)];
    }
    T& operator[](Int16 index) const { return (*this)[int{index.value()}]; }

  private:
    std::vector<std::unique_ptr<T>> items_;
};

// The battle screen's controls, from the bottom of the stacking order to the top. The two
// cursor images lie on the battlefield beneath the party panel, and the command window, the foe
// list and the spell list stand in front of the battlefield.
struct frmBattle::Controls final : platform::ControlSet {
    Controls(platform::Window& window, frmBattle& battle);

    platform::PictureBox picMap;
    platform::ImageBox imgSelect;
    platform::ImageBox imgTarget;
    platform::PictureBox picBar;
    ControlArray<platform::Label, 1, 6> lblName;
    ControlArray<platform::Label, 1, 6> lblHP;
    ControlArray<platform::Label, 1, 6> lblMP;
    platform::PictureBox picSelect;
    ControlArray<platform::Label, 1, 5> lblChoice;
    platform::PictureBox picTarget;
    ControlArray<platform::Label, 1, 6> lblTarget;
    platform::PictureBox picMagic;
    ControlArray<platform::Label, 0, 1> lblSpell;
    platform::Timer tmrSelect;
    platform::Timer tmrTarget;
    platform::Timer tmrAttack;
    platform::Timer tmrFoeHit;
    platform::Timer tmrFoeAttack;
    platform::Timer tmrMagic;
    platform::Timer tmrHit;
};

}  // namespace velmora
