#pragma once
// Whether the scripted engine still exists after a host call: the host may
// end the engine from inside any call (a page that closes its dialog). The
// engine holds a token; a check made before the call watches it.
#include <memory>

namespace scripted {

class LifeCheck {
public:
    explicit LifeCheck(const std::shared_ptr<int>& life) : m_life(life) {}
    bool gone() const { return m_life.expired(); }

private:
    std::weak_ptr<int> m_life;
};

}  // namespace scripted
