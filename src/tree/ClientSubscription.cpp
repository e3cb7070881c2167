#include "tree/ClientSubscription.h"

#include "tree/marluneMDIClient.h"

ClientSubscription::ClientSubscription(marluneMDIClient& client, ClientListener& listener)
    : client_(client), listener_(listener)
{
    client_.subscribe(listener_);
}

ClientSubscription::~ClientSubscription()
{
    client_.unsubscribe(listener_);
}
