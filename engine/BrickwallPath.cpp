#include "engine/BrickwallPath.h"

namespace orv {

BrickwallPath::BrickwallPath() : envelope_(kMaxEnvelopeDelay) {}

bool BrickwallPath::valid() const {
    return left_.valid() && right_.valid() && convolver_.valid() && envelope_.valid();
}

void BrickwallPath::setGeometry(int shapeLength, int envelopeDelay) {
    left_.setWindow(shapeLength);
    right_.setWindow(shapeLength);
    convolver_.setShapeLength(shapeLength);
    envelope_.setLength(envelopeDelay);
}

void BrickwallPath::reset() {
    left_.reset();
    right_.reset();
    convolver_.reset();
    envelope_.reset();
}

}  // namespace orv
