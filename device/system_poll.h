// SPDX-License-Identifier: MIT
#pragma once

namespace ryvorn {

class TOxSbcDevice;

// Raises the System Interface Info request of the device (the worker's 2 s probe).
void RaiseSystemInterfacePoll(TOxSbcDevice& device);

}  // namespace ryvorn
