// The figure: one SVG file with its own styles and no outside references, so that it opens
// in any browser and converts with any SVG renderer.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "simcheck/report.hpp"

namespace simcheck {
namespace {

constexpr double panel_width = 400, left = 60, top = 40, plot = 300;

std::string escaped(const std::string& text) {
  std::string out;
  for (char ch : text) {
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += ch;
    }
  }
  return out;
}

// One panel's frame: axes from 0 to x_max and y_min to y_max, ticks, labels and a title.
struct Panel {
  double x0, x_max, y_min, y_max;
  std::string* out;
  double x_shift = 0;  // the value at the frame's left edge, for the tick labels
  double x(double v) const { return x0 + left + plot * v / x_max; }
  double y(double v) const { return top + plot - plot * (v - y_min) / (y_max - y_min); }
  void add(const char* format, double a = 0, double b = 0, double c = 0, double d = 0) {
    char text[512];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    *out += text;
  }
  void frame(const std::string& title, const std::string& x_label, const std::string& y_label,
             int ticks) {
    add("<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" class=\"frame\"/>\n", x0 + left, top,
        plot, plot);
    for (int k = 0; k <= ticks; ++k) {
      const double vx = x_max * k / ticks, vy = y_min + (y_max - y_min) * k / ticks;
      add("<text x=\"%.1f\" y=\"%.1f\" class=\"tick\" text-anchor=\"middle\">%.3g</text>\n", x(vx), top + plot + 16, vx + x_shift);
      add("<text x=\"%.1f\" y=\"%.1f\" class=\"tick\" text-anchor=\"end\">%.3g</text>\n", x0 + left - 5, y(vy) + 4, vy);
    }
    *out += "<text x=\"" + std::to_string(x0 + left + plot / 2) + "\" y=\"" + std::to_string(top - 14) +
            "\" class=\"title\" text-anchor=\"middle\">" + escaped(title) + "</text>\n";
    *out += "<text x=\"" + std::to_string(x0 + left + plot / 2) + "\" y=\"" + std::to_string(top + plot + 36) +
            "\" class=\"label\" text-anchor=\"middle\">" + escaped(x_label) + "</text>\n";
    *out += "<text transform=\"translate(" + std::to_string(x0 + 16) + "," + std::to_string(top + plot / 2) +
            ") rotate(-90)\" class=\"label\" text-anchor=\"middle\">" + escaped(y_label) + "</text>\n";
  }
  void diagonal(double to) {
    add("<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" class=\"diagonal\"/>\n", x(0), y(0), x(to), y(to));
  }
};

double nice_top(double v) {
  if (v <= 0) return 1;
  const double step = std::pow(10, std::floor(std::log10(v)));
  for (double m : {1.0, 2.0, 2.5, 5.0, 10.0})
    if (m * step >= v) return m * step;
  return 10 * step;
}

void recombination_panel(std::string& out, const Evaluation& evaluation) {
  double top_value = 0.05;
  for (const auto& t : evaluation.intervals) top_value = std::max({top_value, t.expected, t.observed.high});
  top_value = std::min(nice_top(top_value * 1.05), 0.6);
  Panel p{0, top_value, 0, top_value, &out};
  p.frame("Recombination per interval", "expected (Haldane)", "seen, with 95% interval", 5);
  p.diagonal(top_value);
  for (const auto& t : evaluation.intervals) {
    const char* cls = t.flagged ? "flagged" : "point";
    p.add("<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" class=\"bar\"/>\n", p.x(t.expected),
          p.y(std::min(t.observed.low, top_value)), p.x(t.expected), p.y(std::min(t.observed.high, top_value)));
    out += "<circle cx=\"" + std::to_string(p.x(t.expected)) + "\" cy=\"" +
           std::to_string(p.y(std::min(t.observed.value, top_value))) + "\" r=\"3.5\" class=\"" + cls + "\"/>\n";
  }
}

void heterozygosity_panel(std::string& out, const Evaluation& evaluation) {
  Panel p{panel_width, 1, 0, 1, &out};
  p.frame("Heterozygosity per marker", "expected", "seen: founders (filled), all (open)", 5);
  p.diagonal(1);
  for (const auto& t : evaluation.markers) {
    const char* cls = t.flagged ? "flagged" : "point";
    out += "<circle cx=\"" + std::to_string(p.x(t.expected)) + "\" cy=\"" + std::to_string(p.y(t.all_observed)) +
           "\" r=\"3.5\" class=\"open\"/>\n";
    out += "<circle cx=\"" + std::to_string(p.x(t.expected)) + "\" cy=\"" +
           std::to_string(p.y(t.founders_observed)) + "\" r=\"3.5\" class=\"" + cls + "\"/>\n";
  }
}

void phenotype_panel(std::string& out, const Counts& counts, const Evaluation& evaluation) {
  const double x0 = 2 * panel_width;
  if (!evaluation.has_trait || counts.phenotypes.size() < 2) {
    out += "<text x=\"" + std::to_string(x0 + left + plot / 2) + "\" y=\"" + std::to_string(top + plot / 2) +
           "\" class=\"label\" text-anchor=\"middle\">no trait checked</text>\n";
    return;
  }
  const auto [lo_it, hi_it] = std::minmax_element(counts.phenotypes.begin(), counts.phenotypes.end());
  double mean_g = 0;
  for (double g : counts.genotypic_values) mean_g += g;
  mean_g /= counts.genotypic_values.size();
  const double sd = std::sqrt(evaluation.trait.pooled.genotypic_variance + evaluation.trait.sigma2);
  double lo = std::min(*lo_it, mean_g - 3 * sd), hi = std::max(*hi_it, mean_g + 3 * sd);
  if (hi <= lo) hi = lo + 1;
  const int bins = std::clamp(static_cast<int>(std::sqrt(static_cast<double>(counts.phenotypes.size()))), 10, 60);
  const double width = (hi - lo) / bins;
  std::vector<double> density(bins, 0.0);
  for (double v : counts.phenotypes)
    density[std::clamp(static_cast<int>((v - lo) / width), 0, bins - 1)] += 1.0 / (counts.phenotypes.size() * width);
  double peak = *std::max_element(density.begin(), density.end());
  if (sd > 0) peak = std::max(peak, 1 / (sd * std::sqrt(2 * 3.141592653589793)));
  const double y_top = nice_top(peak * 1.05);
  // The x axis runs from lo to hi: shift the frame so that x(v) maps v - lo.
  Panel p{x0, hi - lo, 0, y_top, &out, lo};
  p.frame("Phenotypes and the model's normal curve", "", "density", 4);
  out += "<text x=\"" + std::to_string(x0 + left + plot / 2) + "\" y=\"" + std::to_string(top + plot + 36) +
         "\" class=\"label\" text-anchor=\"middle\">phenotype; curve: mean of G, var(G) + sigma squared</text>\n";
  for (int b = 0; b < bins; ++b)
    p.add("<rect x=\"%.2f\" y=\"%.2f\" width=\"%.2f\" height=\"%.2f\" class=\"histogram\"/>\n", p.x(b * width),
          p.y(density[b]), p.x((b + 1) * width) - p.x(b * width), p.y(0) - p.y(density[b]));
  if (sd > 0) {
    std::string path = "<polyline class=\"curve\" points=\"";
    for (int k = 0; k <= 200; ++k) {
      const double v = lo + (hi - lo) * k / 200, z = (v - mean_g) / sd;
      const double d = std::exp(-z * z / 2) / (sd * std::sqrt(2 * 3.141592653589793));
      char pt[64];
      std::snprintf(pt, sizeof pt, "%.2f,%.2f ", p.x(v - lo), p.y(d));
      path += pt;
    }
    out += path + "\"/>\n";
  }
}

}  // namespace

outcome::Outcome write_figure(const std::string& path, const Inputs&, const Counts& counts, const Evaluation& evaluation) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1200\" height=\"400\" viewBox=\"0 0 1200 400\">\n"
      "<style>\n"
      "text { font-family: sans-serif; fill: #222; }\n"
      ".title { font-size: 15px; font-weight: bold; } .label { font-size: 12px; } .tick { font-size: 10px; }\n"
      ".frame { fill: none; stroke: #444; } .diagonal { stroke: #999; stroke-dasharray: 4 3; }\n"
      ".bar { stroke: #4477aa; stroke-width: 1.5; } .point { fill: #4477aa; } .flagged { fill: #cc3311; }\n"
      ".open { fill: none; stroke: #66aa55; stroke-width: 1.2; }\n"
      ".histogram { fill: #bbccdd; stroke: #ffffff; stroke-width: 0.5; }\n"
      ".curve { fill: none; stroke: #cc3311; stroke-width: 2; }\n"
      "</style>\n"
      "<rect width=\"1200\" height=\"400\" fill=\"white\"/>\n";
  recombination_panel(out, evaluation);
  heterozygosity_panel(out, evaluation);
  phenotype_panel(out, counts, evaluation);
  out += "<text x=\"600\" y=\"392\" class=\"tick\" text-anchor=\"middle\">Red: flagged, p below 0.001 "
         "over the number of tests of its kind. Dashed: seen equals expected.</text>\n";
  out += "</svg>\n";
  std::FILE* f = std::fopen(path.c_str(), "w");
  if (f == nullptr) return outcome::stop("cannot write " + path);
  const bool written = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  if (std::fclose(f) != 0 || !written) return outcome::stop("cannot write " + path);
  return std::nullopt;
}

}  // namespace simcheck
