// karvo-report's reference options and the steps of a run that uses them.

#include "tools/report_reference.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "model/error.h"
#include "tools/report_command.h"

namespace {

bool number(const std::string& text, double& value)
{
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end == text.c_str() + text.size() && errno == 0 && std::isfinite(value);
}

bool setResampling(const std::string& v, ReferenceOptions& o)
{
    static const std::pair<const char*, Resampling> names[] = {
        {"nearest", Resampling::nearest}, {"bilinear", Resampling::bilinear}, {"cubic", Resampling::cubic}};
    for (const auto& [name, resampling] : names)
        if (v == name) {
            o.resampling = resampling;
            o.resamplingGiven = true;
            return true;
        }
    return false;
}

bool setFile(const std::string& v, std::string& file)
{
    file = v;
    return !v.empty();
}

// A target RMSE must be above 0, the checkpoints' own may be 0.
bool setRmse(const std::string& v, std::optional<double>& rmse, bool zeroAllowed)
{
    double value = 0;
    if (!number(v, value) || value < 0 || (value == 0 && !zeroAllowed))
        return false;
    rmse = value;
    return true;
}

using Setter = bool (*)(const std::string& value, ReferenceOptions& o);

const std::pair<const char*, Setter> valueOptions[] = {
    {"--resampling", setResampling},
    {"--checkpoints", [](const std::string& v, ReferenceOptions& o) { return setFile(v, o.checkpoints); }},
    {"--residuals", [](const std::string& v, ReferenceOptions& o) { return setFile(v, o.residuals); }},
    {"--shifted", [](const std::string& v, ReferenceOptions& o) { return setFile(v, o.shifted); }},
    {"--target-rmse", [](const std::string& v, ReferenceOptions& o) { return setRmse(v, o.targetRmse, false); }},
    {"--checkpoint-rmse", [](const std::string& v, ReferenceOptions& o) { return setRmse(v, o.checkpointRmse, true); }},
    {"--nva-class",
     [](const std::string& v, ReferenceOptions& o) {
         o.nvaClass = v;
         return !v.empty();
     }},
};

const std::pair<const char*, bool ReferenceOptions::*> switches[] = {{"--align", &ReferenceOptions::align},
                                                                    {"--by-slope", &ReferenceOptions::bySlope},
                                                                    {"--coregister", &ReferenceOptions::coregister},
                                                                    {"--coregister-only",
                                                                     &ReferenceOptions::coregisterOnly}};

}  // namespace

bool ReferenceOptions::any() const
{
    return align || resamplingGiven || !checkpoints.empty() || !residuals.empty() || targetRmse || checkpointRmse ||
           nvaClass || bySlope || coregistering() || !shifted.empty();
}

int parseReferenceOption(const std::vector<std::string>& args, std::size_t& i, ReferenceOptions& o)
{
    for (const auto& [name, member] : switches)
        if (args[i] == name) {
            o.*member = true;
            return 1;
        }
    for (const auto& [name, set] : valueOptions)
        if (args[i] == name) {
            if (i + 1 >= args.size())
                return -1;
            return set(args[++i], o) ? 1 : -1;
        }
    return 0;
}

bool referenceConsistent(const ReportOptions& o)
{
    const ReferenceOptions& r = o.reference;
    const bool comparison = !o.comparison.empty(), checkpoints = !r.checkpoints.empty();
    if (o.sparse)
        return !r.any();
    if ((r.align && !comparison) || (r.resamplingGiven && !r.align))
        return false;
    if ((!r.residuals.empty() || r.targetRmse) && !checkpoints)
        return false;
    if ((r.checkpointRmse || r.nvaClass) && !r.targetRmse)
        return false;
    if (r.bySlope && !comparison && !checkpoints)
        return false;
    if (r.coregistering() && o.fileType != DEM)
        return false;
    if (!r.shifted.empty() && !r.coregistering())
        return false;
    return !r.coregisterOnly || !(o.classes || o.accuracy || !o.mapKind.empty() || checkpoints || r.bySlope);
}

void addReferenceFiles(const ReferenceOptions& o, std::vector<std::string>& inputs,
                       std::vector<std::string>& outputs)
{
    if (!o.checkpoints.empty())
        inputs.push_back(o.checkpoints);
    for (const std::string* file : {&o.residuals, &o.shifted})
        if (!file->empty())
            outputs.push_back(*file);
}
