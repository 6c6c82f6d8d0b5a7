#!/usr/bin/python3
"""Designs the noise-shaping sets of types B to F and writes dsp/NoiseShapeDesign.cpp.

Usage (from the repository root, Debian's python3-numpy and python3-scipy):
    /usr/bin/python3 tools/noise-shaping/design.py           # write the table and the README results
    /usr/bin/python3 tools/noise-shaping/design.py --check   # exit 1 if the committed files differ

The noise transfer function of a set is H(z) = 1 - sum c[j] z^-j. No random numbers are used;
the designed coefficients are rounded to ten significant digits so that the written table does not
depend on the last bits of the linear-algebra library.
"""

import pathlib
import sys

import numpy as np
from scipy.interpolate import PchipInterpolator
from scipy.optimize import least_squares

ROOT = pathlib.Path(__file__).resolve().parents[2]
TABLE_CPP = ROOT / "dsp" / "NoiseShapeDesign.cpp"
README = pathlib.Path(__file__).resolve().parent / "README.md"

RATES = [44100, 48000, 88200, 96000, 176400, 192000]
TYPES = "BCDEF"
SLOTS = 32

# Shape of each type's 44100 Hz set, dB at these frequencies.
TABLE_FREQS = np.array([100.0, 1000.0, 4000.0, 8000.0, 12000.0, 16000.0, 20000.0, 22050.0])
TABLE_DB = {
    "A": [-9.9, -9.7, -7.7, -5.3, 1.5, 6.9, 9.4, 9.7],
    "B": [-8.8, -10.1, -16.0, -4.6, -6.3, 3.2, 26.6, 29.1],
    "C": [-11.3, -13.0, -24.0, -2.4, -6.8, 13.8, 23.9, 23.7],
    "D": [-3.8, -3.8, -3.8, -3.7, -3.8, 1.7, 11.0, 13.3],
    "E": [-8.2, -8.0, -7.6, -7.5, -7.6, 5.3, 21.5, 24.2],
    "F": [-12.0, -10.3, -12.7, -13.2, -12.5, 15.2, 28.2, 28.8],
}

# Type A in full, one row per rate.
TYPE_A = [
    ["1.14927", "-0.690052", "0.222153"],
    ["1.320576", "-0.900871", "0.3339"],
    ["2.295096", "-2.083295", "0.751798"],
    ["2.361518", "-2.150189", "0.758101"],
    ["1.974841", "-1.131472", "0.120763"],
    ["1.830033", "-0.827539", "-0.038527"],
]

# Exact leading coefficients c[1..4] of the 44100 Hz sets, kept as written.
LEADING = {
    "B": ["1.98998", "-2.815903", "3.59874", "-4.14422"],
    "C": ["2.373123", "-3.202127", "3.536373", "-3.495827"],
    "D": ["0.77428", "-0.821506", "0.720961", "-0.52114"],
    "E": ["1.544917", "-2.180221", "2.537494", "-2.497578"],
    "F": ["2.280548", "-4.003778", "5.49504", "-6.161694"],
}

# Non-zero coefficients per type and rate (every set's non-zero ones come first).
NON_ZERO = {
    "B": [12, 12, 12, 12, 12, 12],
    "C": [12, 12, 11, 11, 11, 11],
    "D": [30, 30, 32, 32, 32, 32],
    "E": [30, 30, 32, 32, 32, 32],
    "F": [32, 32, 31, 31, 32, 32],
}

# D, E and F use one set for each pair of rates, designed at the lower rate of the pair.
SHARED = {"D", "E", "F"}
SHARED_WITH = {48000: 44100, 96000: 88200, 192000: 176400}

AUDIO_EDGE_HZ = 20000.0
# Audio-band level of the higher-rate sets: the type's mean 44100 Hz level over the table's
# points up to 12 kHz, times a factor per rate pair taken from type D (-3.8 -> -7.6 -> -11.1 dB).
D_BAND_LEVEL_44100 = float(np.mean(TABLE_DB["D"][:5]))
LEVEL_FACTOR = {88200: -7.6 / D_BAND_LEVEL_44100, 96000: -7.6 / D_BAND_LEVEL_44100,
                176400: -11.1 / D_BAND_LEVEL_44100, 192000: -11.1 / D_BAND_LEVEL_44100}
# Transition widths tried for the higher-rate sets, in units of rate / taps, narrowest first:
# the narrowest one that keeps the audio band flat gives the lowest noise power.
TRANSITION_STEPS = [1.0, 1.25, 1.5, 2.0, 2.5, 3.0]
FLATNESS_GOAL_DB = 0.5
MAX_ROOT_RADIUS = 0.99

NEPER_TO_DB = 20.0 / np.log(10.0)
CEPSTRUM_POINTS = 8192


# ---------------------------------------------------------------- evaluation

def gain_db(c, freqs, rate):
    j = np.arange(1, len(c) + 1)
    h = 1.0 - np.exp(-2j * np.pi * np.outer(np.asarray(freqs, float) / rate, j)) @ np.asarray(c, float)
    return NEPER_TO_DB * np.log(np.abs(h))


def root_radius(c):
    c = np.trim_zeros(np.asarray(c, float), "b")
    return float(np.abs(np.roots(np.r_[1.0, -c])).max()) if len(c) else 0.0


def itu468_db(freqs):
    f = np.asarray(freqs, float)
    h1 = -4.737338981378384e-24 * f**6 + 2.043828333606125e-15 * f**4 - 1.363894795463638e-07 * f**2 + 1
    h2 = 1.306612257412824e-19 * f**5 - 2.118150887518656e-11 * f**3 + 5.559488023498642e-04 * f
    with np.errstate(divide="ignore"):
        return 18.2 + 20 * np.log10(1.246332637532143e-04 * f / np.sqrt(h1**2 + h2**2))


def noise_gains_db(c, rate):
    """Noise power through H against unshaped noise: total, and ITU-R 468 weighted over 0..rate/2."""
    total = 10 * np.log10(1.0 + np.sum(np.asarray(c, float) ** 2))
    f = np.linspace(1.0, rate / 2, 20001)
    w = 10 ** (itu468_db(f) / 10)
    weighted = 10 * np.log10(np.trapz(w * 10 ** (gain_db(c, f, rate) / 10), f) / np.trapz(w, f))
    return total, weighted


def check_evaluation():
    """Type A's full sets must reproduce its row of the table (to the table's 0.1 dB)."""
    got = gain_db([float(v) for v in TYPE_A[0]], TABLE_FREQS, 44100)
    assert np.all(np.abs(got - TABLE_DB["A"]) <= 0.05 + 1e-9), got
    weights = itu468_db([1000.0, 6300.0, 12500.0, 20000.0])
    assert np.allclose(weights, [0.0, 12.2, 0.0, -22.2], atol=0.1), weights


# ---------------------------------------------------------------- targets

def leading_cepstrum(lead):
    """Cepstral coefficients 1..len(lead) of 1 - sum c z^-j: fixed by the leading coefficients."""
    h = np.r_[1.0, -np.asarray(lead, float)]
    cep = np.zeros(len(h))
    for n in range(1, len(h)):
        cep[n] = h[n] - sum(k / n * cep[k] * h[n - k] for k in range(1, n))
    return cep[1:]


def cosine_series(log_mag, count):
    """a_k with log_mag(w) = a_0 + sum a_k cos(k w), for k < count."""
    w = 2 * np.pi * np.arange(CEPSTRUM_POINTS) / CEPSTRUM_POINTS
    c = np.real(np.fft.ifft(log_mag(np.minimum(w, 2 * np.pi - w))))
    return np.r_[c[0], 2 * c[1:count]]


def table_target(rate, points_hz, points_db, lead, order=40):
    """Log magnitude (nepers) through the given points that a minimum-phase set with these leading
    coefficients can follow: a monotone cubic through the points, corrected by the smoothest cosine
    series that zeroes the log mean (minimum phase, c[0] = 1), matches the cepstrum the leading
    coefficients fix, and keeps every point."""
    w = 2 * np.pi * np.asarray(points_hz, float) / rate
    v = np.asarray(points_db, float) / NEPER_TO_DB
    knots_w, knots_v = np.r_[0.0, w], np.r_[v[0], v]
    if knots_w[-1] < np.pi:
        knots_w, knots_v = np.r_[knots_w, np.pi], np.r_[knots_v, v[-1]]
    curve = PchipInterpolator(knots_w, knots_v)
    have = cosine_series(curve, order + 1)
    fixed = len(lead) + 1
    a = np.zeros(order + 1)
    a[0] = -have[0]
    a[1:fixed] = leading_cepstrum(lead) - have[1:fixed]
    free = np.arange(fixed, order + 1)
    basis = np.cos(np.outer(w, free))
    miss = -np.cos(np.outer(w, np.arange(fixed))) @ a[:fixed]
    scaled = basis / free.astype(float) ** 2
    a[fixed:] = scaled.T @ np.linalg.solve(basis @ scaled.T, miss)
    return lambda ww: curve(ww) + np.cos(np.outer(ww, np.arange(order + 1))) @ a


def step_target(rate, level_db, width_hz):
    """Flat level_db up to the audio edge, a raised-cosine rise over width_hz, then a plateau
    chosen so that the log mean is zero. Returns the log magnitude (nepers) and the plateau (dB)."""
    def rise(ww):
        x = np.clip((ww / (2 * np.pi) * rate - AUDIO_EDGE_HZ) / width_hz, 0.0, 1.0)
        return 0.5 - 0.5 * np.cos(np.pi * x)
    grid = np.linspace(0.0, np.pi, 20001)
    s = rise(grid)
    plateau = -level_db * np.trapz(1 - s, grid) / np.trapz(s, grid)
    return (lambda ww: (level_db + (plateau - level_db) * rise(ww)) / NEPER_TO_DB), plateau


def minimum_phase_taps(log_mag, taps):
    """First coefficients of the minimum-phase response with this log magnitude (zero log mean)."""
    cep = cosine_series(log_mag, taps + 1)
    h = np.zeros(taps + 1)
    h[0] = 1.0
    for n in range(1, taps + 1):
        h[n] = sum(k / n * cep[k] * h[n - k] for k in range(1, n + 1))
    return -h[1:]


def inside_unit_circle(c, radius=0.95):
    """Same shape up to a constant: zeros outside the unit circle reflected in, then drawn in to radius."""
    z = np.roots(np.r_[1.0, -np.asarray(c, float)])
    z = np.where(np.abs(z) > 1.0, 1.0 / np.conj(z), z)
    z = np.where(np.abs(z) > radius, z * radius / np.abs(z), z)
    return -np.real(np.poly(z))[1:]


# ---------------------------------------------------------------- fit

def fit(rate, taps, lead, freqs, target_db, weights, start, power_weight=1e-4):
    """Weighted least squares on the log magnitude over the coefficients after the fixed leading ones,
    with a small noise-power term and a penalty on any zero beyond MAX_ROOT_RADIUS."""
    lead = np.asarray(lead, float)
    fixed = len(lead)
    j = np.arange(1, taps + 1)
    e = np.exp(-2j * np.pi * np.outer(np.asarray(freqs, float) / rate, j))
    penalty = 1e4

    def full(x):
        return np.r_[lead, x]

    def residuals(x):
        c = full(x)
        radius = np.abs(np.roots(np.r_[1.0, -c]))
        mag = NEPER_TO_DB * np.log(np.abs(1.0 - e @ c))
        return np.r_[weights * (mag - target_db), np.sqrt(power_weight) * c,
                     penalty * np.maximum(0.0, radius - MAX_ROOT_RADIUS)]

    def jacobian(x):
        c = full(x)
        h = 1.0 - e @ c
        d_mag = (weights * NEPER_TO_DB)[:, None] * np.real(np.conj(h)[:, None] * -e) / np.abs(h)[:, None] ** 2
        poly = np.r_[1.0, -c]
        z = np.roots(poly)
        d_radius = np.zeros((len(z), taps))
        # A zero of z^n - sum c_j z^(n-j) moves by z^(n-j) / P'(z) per unit of c_j.
        for k in np.nonzero(np.abs(z) > MAX_ROOT_RADIUS)[0]:
            dz = z[k] ** (taps - j) / np.polyval(np.polyder(poly), z[k])
            d_radius[k] = penalty * np.real(np.conj(z[k]) * dz) / abs(z[k])
        return np.r_[d_mag, np.sqrt(power_weight) * np.eye(taps), d_radius][:, fixed:]

    result = least_squares(residuals, np.asarray(start, float)[fixed:], jac=jacobian, method="trf",
                           max_nfev=5000, xtol=1e-14, ftol=1e-14, gtol=1e-14)
    return np.r_[lead, np.array([float("%.10g" % v) for v in result.x])]


def design_to_table(type_name, rate, taps):
    """44100 and 48000 Hz: follow the table's shape at the same frequencies in Hz."""
    lead = [float(v) for v in LEADING[type_name]] if rate == 44100 else []
    points_hz = TABLE_FREQS[TABLE_FREQS <= rate / 2]
    points_db = np.asarray(TABLE_DB[type_name])[:len(points_hz)]
    target = table_target(rate, points_hz, points_db, lead)
    grid = np.linspace(0.0, rate / 2, 600)
    freqs = np.r_[points_hz, grid]
    target_db = np.r_[points_db, NEPER_TO_DB * target(2 * np.pi * grid / rate)]
    weights = np.r_[np.full(len(points_hz), 10.0), np.full(len(grid), 0.3)]
    start = minimum_phase_taps(target, taps)
    start[:len(lead)] = lead
    c = fit(rate, taps, lead, freqs, target_db, weights, start)
    return c, "table shape, cepstrum-matched" if lead else "table shape in Hz"


def design_flat(type_name, rate, taps):
    """88200 Hz and up: flat audio band at the type's level, rise above 20 kHz, narrowest transition
    that keeps the band within FLATNESS_GOAL_DB and every zero inside MAX_ROOT_RADIUS."""
    level = round(LEVEL_FACTOR[rate] * float(np.mean(TABLE_DB[type_name][:5])), 1)
    band = np.linspace(0.0, AUDIO_EDGE_HZ, 300)
    for step in TRANSITION_STEPS:
        width = step * rate / taps
        target, plateau = step_target(rate, level, width)
        upper = np.linspace(AUDIO_EDGE_HZ + width, rate / 2, 300)
        freqs = np.r_[band, upper]
        target_db = np.r_[np.full(len(band), level), np.full(len(upper), plateau)]
        weights = np.r_[np.full(len(band), 3.0), np.full(len(upper), 0.3)]
        start = inside_unit_circle(minimum_phase_taps(target, taps))
        c = fit(rate, taps, [], freqs, target_db, weights, start)
        g = gain_db(c, band, rate)
        if np.ptp(g) <= FLATNESS_GOAL_DB and root_radius(c) < MAX_ROOT_RADIUS + 1e-6:
            return c, "flat %.1f dB to 20 kHz, rise over %.0f Hz" % (level, width)
    raise RuntimeError("no flat design for %s at %d Hz" % (type_name, rate))


def design_all():
    """sets[type][rate index] -> (coefficients padded to 32, description)."""
    sets = {}
    for t in TYPES:
        rows = {}
        for i, rate in enumerate(RATES):
            taps = NON_ZERO[t][i]
            if t in SHARED and rate in SHARED_WITH:
                rows[rate] = rows[SHARED_WITH[rate]]
                continue
            c, how = (design_to_table if rate <= 48000 else design_flat)(t, rate, taps)
            rows[rate] = (np.r_[c, np.zeros(SLOTS - taps)], how)
        sets[t] = [rows[rate] for rate in RATES]
    return sets


# ---------------------------------------------------------------- report

def set_report(type_name, rate, c, how):
    if rate <= 48000:
        points = TABLE_FREQS[TABLE_FREQS <= rate / 2]
        deviation = np.abs(gain_db(c, points, rate) - np.asarray(TABLE_DB[type_name])[:len(points)]).max()
        band = "table"
    else:
        g = gain_db(c, np.linspace(0.0, AUDIO_EDGE_HZ, 401), rate)
        level = round(LEVEL_FACTOR[rate] * float(np.mean(TABLE_DB[type_name][:5])), 1)
        deviation = np.abs(g - level).max()
        band = "%.1f dB flat" % level
    total, weighted = noise_gains_db(c, rate)
    above = gain_db(c, [rate / 2], rate)[0]
    return (type_name, rate, how, band, deviation, root_radius(c), total, weighted, above)


def results_markdown(sets):
    lines = ["| type | rate | design target | compared with | largest deviation (dB) | largest zero radius "
             "| noise power gain, total (dB) | ITU-R 468 weighted (dB) | gain at rate/2 (dB) |",
             "|---|---|---|---|---|---|---|---|---|"]
    for t in "A" + TYPES:
        for i, rate in enumerate(RATES):
            if t == "A":
                c = np.array([float(v) for v in TYPE_A[i]])
                how = "given"
            else:
                c, how = sets[t][i]
                if t in SHARED and rate in SHARED_WITH:
                    how = "same set as %d" % SHARED_WITH[rate]
            name, rate, how, band, dev, radius, total, weighted, top = set_report(t, rate, c, how)
            if t == "A" and rate > 44100:
                band, dev = "-", float("nan")
            lines.append("| %s | %d | %s | %s | %s | %.3f | %+.1f | %+.1f | %+.1f |" % (
                name, rate, how, band, "-" if np.isnan(dev) else "%.2f" % dev, radius, total, weighted, top))
    return "\n".join(lines) + "\n"


# ---------------------------------------------------------------- output

def literal(v):
    return v if isinstance(v, str) else ("%.10g" % v if v != 0.0 else "0.0")


def row_text(values, indent):
    cells = [literal(v) for v in values]
    while len(cells) > 1 and cells[-1] == "0.0":
        cells.pop()
    lines, line = [], indent
    for cell in cells:
        piece = cell + ", "
        if len(line) + len(piece) > 110:
            lines.append(line.rstrip())
            line = indent
        line += piece
    lines.append(line.rstrip().rstrip(","))
    return "\n".join(lines)


def table_cpp(sets):
    out = ["// Generated by tools/noise-shaping/design.py: change the script, not this file.",
           "// Sets shared between two rates appear as identical rows.",
           '#include "dsp/NoiseShapeDesign.h"', "", "namespace orv {", "",
           "const double kNoiseShapeTypeA[6][32] = {"]
    for i, rate in enumerate(RATES):
        out.append("    {  // %d" % rate)
        out.append(row_text(TYPE_A[i], "        "))
        out.append("    },")
    out += ["};", "", "const double kNoiseShapeDesigned[5][6][32] = {"]
    for t in TYPES:
        out.append("    {  // type %s" % t)
        for i, rate in enumerate(RATES):
            c, _ = sets[t][i]
            values = list(c)
            if rate == 44100:
                values[:4] = LEADING[t]
            note = " (same set as %d)" % SHARED_WITH[rate] if t in SHARED and rate in SHARED_WITH else ""
            out.append("        {  // %d%s" % (rate, note))
            out.append(row_text(values, "            "))
            out.append("        },")
        out.append("    },")
    out += ["};", "", "}  // namespace orv", ""]
    return "\n".join(out)


def readme_with(results):
    text = README.read_text()
    start, end = "<!-- results -->\n", "<!-- /results -->\n"
    head, rest = text.split(start)
    _, tail = rest.split(end)
    return head + start + results + end + tail


def main():
    check_evaluation()
    sets = design_all()
    for t in TYPES:
        for i, rate in enumerate(RATES):
            c = sets[t][i][0]
            assert np.count_nonzero(c) == NON_ZERO[t][i], (t, rate)
            assert root_radius(c) < 1.0, (t, rate)
    outputs = {TABLE_CPP: table_cpp(sets), README: readme_with(results_markdown(sets))}
    if "--check" in sys.argv:
        stale = [str(p) for p, text in outputs.items() if p.read_text() != text]
        if stale:
            print("out of date: " + ", ".join(stale))
            return 1
        return 0
    for path, text in outputs.items():
        path.write_text(text)
    print(results_markdown(sets))
    return 0


if __name__ == "__main__":
    sys.exit(main())
