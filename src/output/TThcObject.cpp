#include "TThcObject.h"

void TThcObject::ReadInfo(TThcObject* Sender, const QString& Info)
{
    if (FOnInfo)
        FOnInfo(Sender, Info);
}
