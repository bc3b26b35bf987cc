// SPDX-License-Identifier: MIT
// The UDP receive path with arbitrary datagrams: the transport's sender filter and
// queue, then the datagram protocol's length checks and reply extraction.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "link/com_udp.h"
#include "link/ox_udp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ryvorn;
    TComUdp udp;  // never opened: datagrams are handed in as the receive thread does
    TOxUdp protocol(&udp);
    protocol.SetTimeout(1);
    udp.SetRemoteHost("127.0.0.2");
    // Input: [flags, length] records followed by that many bytes.
    size_t i = 0;
    while (i + 2 <= size) {
        const uint8_t flags = data[i];
        const size_t length = std::min<size_t>(static_cast<size_t>(data[i + 1]) * 4, size - i - 2);
        i += 2;
        udp.SetBroadcast(flags & 1);
        udp.ReceiveDatagram(data + i, length, flags & 2 ? "127.0.0.9" : "127.0.0.2");
        i += length;
        if (flags & 4) {
            if (protocol.ReceiveFrame()) {
                uint8_t reply[MaxPayload];
                uint16_t n = 0;
                protocol.GetReply(reply, n);
                if (n > 506) std::abort();
            }
        }
    }
    return 0;
}
