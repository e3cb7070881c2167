#pragma once
// A listener's hold on the window registry: it hears the client for as long as the hold lives.

class ClientListener;
class marluneMDIClient;

class ClientSubscription {
public:
    ClientSubscription(marluneMDIClient& client, ClientListener& listener);
    ~ClientSubscription();
    ClientSubscription(const ClientSubscription&) = delete;
    ClientSubscription& operator=(const ClientSubscription&) = delete;

private:
    marluneMDIClient& client_;
    ClientListener& listener_;
};
