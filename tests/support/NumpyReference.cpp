#include "support/NumpyReference.h"

#include <cstdio>
#include <fstream>

#include "support/TempFolder.h"

std::vector<double> numpyValues(const std::string& script, const std::vector<float>& input)
{
    TempFolder folder;
    const auto data = folder.path / "x.f32";
    const auto program = folder.path / "reference.py";
    std::ofstream(data, std::ios::binary)
        .write(reinterpret_cast<const char*>(input.data()), std::streamsize(input.size() * sizeof(float)));
    std::ofstream(program) << "import sys\nimport numpy as np\nx = np.fromfile(sys.argv[1], dtype=np.float32)\n"
                           << "def out(a):\n    print(' '.join(repr(float(v)) for v in np.ravel(a)))\n"
                           << script << "\n";
    std::vector<double> values;
    FILE* out = ::popen(("/usr/bin/python3 '" + program.string() + "' '" + data.string() + "'").c_str(), "r");
    if (!out)
        return values;
    double v;
    while (std::fscanf(out, "%lf", &v) == 1)
        values.push_back(v);
    ::pclose(out);
    return values;
}

const char* const NumpyWindowFormulas = R"(
TP = 6.2831852
def window(t, L):
    i = np.arange(L, dtype=float)
    if t == 0:
        return 0.5 - 0.5 * np.cos(TP * (i + 1) / (L + 1))
    if t == 1:
        return 0.54 - 0.46 * np.cos(TP * i / (L - 1))
    if t == 2:
        return 0.42 - 0.5 * np.cos(TP * i / (L - 1)) + 0.08 * np.cos(2 * TP * i / (L - 1))
    if t == 3:
        return np.ones(L)
    d = 2 * (i + 1) / (L + 1)
    return np.where(i <= (L - 1) // 2, d, 2 - d)
)";
