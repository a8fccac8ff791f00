#include "core/base/parent.h"

namespace hartool {

void Parent::DESTROY() {
    alive_ = 0;
}

}  // namespace hartool
