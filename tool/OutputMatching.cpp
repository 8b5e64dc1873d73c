#include "OutputMatching.h"

#include "core/Component.h"

#include <algorithm>
#include <cmath>

bool MatchOutputs(const std::vector<CheckPort>& reference, const std::vector<CheckPort>& answer,
                  std::vector<CheckPort>& matched)
{
    struct Pair {
        double distance;
        std::size_t teacher, pupil;
    };
    // At most one pair per two outputs of a kind; the caller has bounded the boards.
    std::vector<Pair> pairs;
    for (std::size_t t = 0; t < reference.size(); ++t)
        for (std::size_t p = 0; p < answer.size(); ++p)
            if (answer[p].type == reference[t].type) {
                // Places come from files: as doubles, their differences cannot overflow.
                const double dx = double(answer[p].place.x) - double(reference[t].place.x);
                const double dy = double(answer[p].place.y) - double(reference[t].place.y);
                pairs.push_back({std::hypot(dx, dy), t, p});
            }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const Pair& a, const Pair& b) { return a.distance < b.distance; });

    matched.assign(reference.size(), CheckPort{});
    std::vector<bool> teacherDone(reference.size()), pupilUsed(answer.size());
    std::size_t made = 0;
    for (const Pair& pair : pairs) {
        if (teacherDone[pair.teacher] || pupilUsed[pair.pupil]) continue;
        matched[pair.teacher] = answer[pair.pupil];
        teacherDone[pair.teacher] = true;
        pupilUsed[pair.pupil] = true;
        ++made;
    }
    if (made != reference.size()) return false;
    for (std::size_t p = 0; p < answer.size(); ++p)
        if (!pupilUsed[p] && answer[p].type != TYPE_SPANNINGSMETER) return false;
    return true;
}
