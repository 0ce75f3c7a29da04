#pragma once
// Results of the continuous-beam analysis that the design, the report and the
// drawings read. Moments in kN·m, shears in kN, abscissae in m from the beam's
// left end. Moments sag positive (support moments come out negative); loads act
// downward when positive.

// One span: its section and its envelope values.
struct LXL_ELEMENT {
    float h = 0, b = 0;  // section height and width (mm)

    // Midspan envelope.
    float mid_v_max = 0, mid_v_min = 0;
    float mid_m_max = 0, mid_m_min = 0;

    // End envelopes.
    float left_v_max = 0, left_v_min = 0;
    float right_v_max = 0, right_v_min = 0;
    float left_m_max = 0, left_m_min = 0;
    float right_m_max = 0, right_m_min = 0;

    // Extremes along the span and where they are.
    float span_v_max = 0, span_m_max = 0, span_v_min = 0, span_m_min = 0;
    float x_v_max = 0, x_m_max = 0, x_v_min = 0, x_m_min = 0;
};

// One result station (every 0.01 m along the beam, the last at its end).
struct LXL_STATION {
    float x = 0;
    float v_max = 0, v_min = 0;
    float m_max = 0, m_min = 0;
};

// The design forces of one span. Sagging values are >= 0, hogging values <= 0;
// shears are signed (the larger in magnitude of the envelope's two values).
struct LXL_SPAN_FORCE {
    float m_left_sag = 0, m_left_hog = 0;
    float m_right_sag = 0, m_right_hog = 0;
    float m_span_sag = 0, m_span_hog = 0;
    float v_left = 0, v_mid = 0, v_right = 0;
};
