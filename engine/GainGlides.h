#pragma once

namespace orv {

// The working drive and output gains, each gliding toward its target through a 30 Hz
// one-pole so that a parameter change never steps the gain.
class GainGlides {
public:
    void setSampleRate(double fs);
    void reset(double driveTarget, double outputTarget) {
        drive_ = driveTarget;
        output_ = outputTarget;
    }
    void step(double driveTarget, double outputTarget) {
        drive_ = flushed(drive_ + (driveTarget - drive_) * coef_);
        output_ = flushed(output_ + (outputTarget - output_) * coef_);
    }
    double drive() const { return drive_; }
    double output() const { return output_; }

private:
    // Adding and removing 1e-30 turns a value that has decayed into the denormal range into 0.
    static double flushed(double v) {
        v += 1e-30;
        return v - 1e-30;
    }

    double coef_ = 0.0;
    double drive_ = 1.0;
    double output_ = 1.0;
};

}  // namespace orv
