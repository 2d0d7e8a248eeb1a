#pragma once

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <vector>

// Order statistics of a sample, by nearest rank: the p-th percentile is the
// smallest value with at least p percent of the sample at or below it.
class Sample {
public:
    void add(double value) { m_values.push_back(value); }
    std::size_t size() const { return m_values.size(); }
    bool empty() const { return m_values.empty(); }

    double percentile(double p) const {
        if (m_values.empty())
            return 0.0;
        std::vector<double> sorted = m_values;
        std::sort(sorted.begin(), sorted.end());
        const double rank = p / 100.0 * static_cast<double>(sorted.size());
        std::size_t index = static_cast<std::size_t>(rank);
        if (static_cast<double>(index) < rank)
            ++index;
        return sorted[std::clamp<std::size_t>(index, 1, sorted.size()) - 1];
    }
    double sum() const { return std::accumulate(m_values.begin(), m_values.end(), 0.0); }
    double median() const { return percentile(50.0); }
    double min() const {
        return m_values.empty() ? 0.0 : *std::min_element(m_values.begin(), m_values.end());
    }
    double max() const {
        return m_values.empty() ? 0.0 : *std::max_element(m_values.begin(), m_values.end());
    }

private:
    std::vector<double> m_values;
};
