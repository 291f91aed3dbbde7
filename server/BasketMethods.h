// The remote methods of the basket, the shipping choices and the order.
#pragma once

namespace kv::server {

class Dispatcher;

void registerBasketMethods(Dispatcher& d);

}  // namespace kv::server
