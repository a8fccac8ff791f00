#pragma once

namespace hartool {

// One replaceable service: the production implementation unless a test has installed its own.
template <class Interface>
class Seam {
  public:
    explicit Seam(Interface& production) : production_(production), current_(&production) {}

    Interface& get() const { return *current_; }
    // Returns the previously installed replacement (nullptr when it was production); nullptr restores
    // production.
    Interface* install(Interface* replacement) {
        Interface* previous = current_ == &production_ ? nullptr : current_;
        current_ = replacement ? replacement : &production_;
        return previous;
    }

  private:
    Interface& production_;
    Interface* current_;
};

// The seam of Interface whose production implementation is a Production, both made on first use: what a
// service's accessor and install function share.
template <class Interface, class Production>
Seam<Interface>& seamOf() {
    static Production production;
    static Seam<Interface> seam(production);
    return seam;
}

}  // namespace hartool
