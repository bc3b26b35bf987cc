// SPDX-License-Identifier: MIT
#include "link/socket_inf.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

#include <algorithm>

namespace ryvorn {

TSocketInf::TSocketInf(bool sorted) {
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return;
    for (ifaddrs* i = list; i; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET) continue;
        const auto* a = reinterpret_cast<const sockaddr_in*>(i->ifa_addr);
        const auto* m = reinterpret_cast<const sockaddr_in*>(i->ifa_netmask);
        TSocket s;
        s.Address = ntohl(a->sin_addr.s_addr);
        s.Mask = m ? ntohl(m->sin_addr.s_addr) : 0xFFFFFFFFu;
        if (s.Address != 0) Items_.push_back(s);
    }
    ::freeifaddrs(list);
    if (sorted) {
        std::sort(Items_.begin(), Items_.end(),
                  [](const TSocket& x, const TSocket& y) { return x.Address < y.Address; });
    }
}

}  // namespace ryvorn
