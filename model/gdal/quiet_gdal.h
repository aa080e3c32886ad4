#pragma once
// GDAL's own messages would go to standard error beside ours, which name the file and the
// reason; while one of these lives they are kept, and the last one can be asked for.

#include <cpl_error.h>

#include <string>

struct QuietGdal {
    QuietGdal()
    {
        CPLPushErrorHandler(CPLQuietErrorHandler);
        CPLErrorReset();
    }
    ~QuietGdal() { CPLPopErrorHandler(); }
    QuietGdal(const QuietGdal&) = delete;
    QuietGdal& operator=(const QuietGdal&) = delete;
};

// GDAL's last message, "" when it gave none.
inline std::string lastGdalMessage()
{
    const char* message = CPLGetLastErrorMsg();
    return message != nullptr ? message : "";
}
