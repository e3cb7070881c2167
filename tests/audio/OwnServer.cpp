#include "OwnServer.h"

#include <QCoreApplication>
#include <QProcess>
#include <cstdlib>

namespace {
constexpr const char* Marker = "MARLUNE_OWN_SERVER";
}

bool OwnServer::inside()
{
    return std::getenv(Marker) != nullptr;
}

bool OwnServer::Result::passed(int cases) const
{
    const std::string summary = "[  PASSED  ] " + std::to_string(cases) + (cases == 1 ? " test." : " tests.");
    return exitCode == 0 && output.find(summary) != std::string::npos;
}

OwnServer::Result OwnServer::run(Mode mode, const std::string& filter)
{
    QStringList arguments{QString::number(TimeoutSeconds), "bash", MARLUNE_SOURCE_DIR "/tools/with-audio-loopback.sh"};
    if (mode == Mode::MonitorSource)
        arguments << "--monitor";
    arguments << QCoreApplication::applicationFilePath() << QString::fromStdString("--gtest_filter=" + filter);
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(Marker, "1");
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    // timeout ends the script and the child together; the script then stops its server.
    child.start("timeout", arguments);
    Result result;
    if (!child.waitForFinished((TimeoutSeconds + 5) * 1000)) {
        child.kill();
        child.waitForFinished(5000);
    }
    result.output = child.readAll().toStdString();
    if (child.exitStatus() == QProcess::NormalExit)
        result.exitCode = child.exitCode();
    return result;
}
