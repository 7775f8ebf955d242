// The drawing device the shell publishes at the start of each restore (null before the first and
// after the final clean-up). Every layer that creates device resources asks here.
#pragma once

namespace gfx {
class Device;
}

gfx::Device* GetDevice();
void SetDevice(gfx::Device* device);
