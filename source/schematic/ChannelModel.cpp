#include "schematic/ChannelModel.h"

namespace schematic
{
void ChannelModel::prepare (double) {}
void ChannelModel::reset() {}
void ChannelModel::setThermalSpeed (float) {}
float ChannelModel::processSample (float x, const ChannelControls&) { return x; }
} // namespace schematic
