#pragma once

#include <memory>

namespace Orvane {

class MDIForm1;
class SingleInstance;

// The program's start: the single-instance rule, the update reminder and the
// frame window with the entry window inside it.
class Startup
{
public:
    Startup();
    ~Startup();

    // False when the program ends at once (another copy is running).
    bool run();

private:
    std::unique_ptr<SingleInstance> m_instance;
};

} // namespace Orvane
