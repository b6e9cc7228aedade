#pragma once

#include <QString>
#include <functional>

// Base of the output generators: the information event through which they
// report progress lines (during a build, lines of the build output window).
class TThcObject {
public:
    using TInfoEvent = std::function<void(TThcObject* sender, const QString& info)>;

    virtual ~TThcObject() = default;

    // Forwards `Info` to FOnInfo, when one is set.
    void ReadInfo(TThcObject* Sender, const QString& Info);

    TInfoEvent FOnInfo;
};
