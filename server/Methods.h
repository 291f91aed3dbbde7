// The remote methods this server answers; every other catalogue method answers that it is
// not in service yet.
#pragma once

namespace kv::server {

class Dispatcher;

void registerMethods(Dispatcher& d);

}  // namespace kv::server
