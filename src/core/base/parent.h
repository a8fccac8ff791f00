#pragma once

namespace hartool {

// Base of the windowless objects (Token, Briefing, BriefSupport, MissionSupport). DESTROY releases what the
// object holds and may be called any number of times; the destructor is the finaliser and calls it too.
class Parent {
  public:
    Parent() = default;
    virtual ~Parent() = default;
    Parent(const Parent&) = default;
    Parent& operator=(const Parent&) = default;

    // Subclasses release their own members first, then call Parent::DESTROY().
    virtual void DESTROY();
    // The finaliser: a subclass destructor calls AXIT() so that its own DESTROY runs while it still exists.
    void AXIT() { DESTROY(); }
    bool ISDESTROYED() const { return alive_ == 0; }

  private:
    int alive_ = 1;
};

}  // namespace hartool
