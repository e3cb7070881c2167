#include "tree/TreeKinds.h"

#include "tree/CalcWindows.h"
#include "tree/DerivedSignalKinds.h"
#include "tree/FileWindowKinds.h"
#include "tree/GeneratorCommand.h"
#include "tree/ThreeDKinds.h"
#include "tree/WindowKindTable.h"
#include "tree/marluneJoinChild.h"

void addTreeKinds(WindowKindTable& table)
{
    table.add(fileWindowKinds());
    table.add(derivedSignalKinds());
    table.add(CalcWindows::kind());
    table.add(GeneratorCommand::kind());
    table.add(threeDKinds());
    table.add(marluneJoinChild::kinds());
}
