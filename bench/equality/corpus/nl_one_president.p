% Every country has one president.
fof(one, axiom, ! [X, Y, C] : ((president(X, C) & president(Y, C)) => X = Y)).
fof(john, axiom, president(john, freedonia)).
fof(smith, axiom, president(mr_smith, freedonia)).
fof(c, conjecture, john = mr_smith).
