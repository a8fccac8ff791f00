#include "core/base/parent.h"

#include <gtest/gtest.h>

namespace hartool {
namespace {

TEST(Parent, SecondDestroyIsHarmless) {
    Parent object;
    EXPECT_FALSE(object.ISDESTROYED());
    object.DESTROY();
    EXPECT_TRUE(object.ISDESTROYED());
    object.DESTROY();
    EXPECT_TRUE(object.ISDESTROYED());
}

// Holds a member that must be released exactly once, however often DESTROY is called.
class Holder : public Parent {
  public:
    explicit Holder(int& releases) : releases_(releases), member_(new int(7)) {}
    ~Holder() override { AXIT(); }

    void DESTROY() override {
        if (!ISDESTROYED()) {
            delete member_;
            member_ = nullptr;
            ++releases_;
        }
        Parent::DESTROY();
    }

  private:
    int& releases_;
    int* member_;
};

TEST(Parent, SubclassReleasesItsMembersOnceAndItsDestructorFinalises) {
    int releases = 0;
    {
        Holder holder(releases);
        holder.DESTROY();
        holder.DESTROY();
        EXPECT_EQ(releases, 1);
    }
    EXPECT_EQ(releases, 1);

    { Holder forgotten(releases); }
    EXPECT_EQ(releases, 2) << "the destructor runs DESTROY when nobody did";
}

}  // namespace
}  // namespace hartool
