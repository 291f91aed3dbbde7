// A model that can be cut off from its table while a worker refills it, and bound again.
#pragma once

namespace kv::platform {

class DetachableModel {
  public:
    virtual ~DetachableModel() = default;
    virtual void detach() = 0;
    virtual void attach() = 0;
};

}  // namespace kv::platform
