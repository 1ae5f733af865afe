% The teacher of Mary is the sister of Bill, who is tall.
fof(teacher, axiom, teacher(mary) = sister(bill)).
fof(tall, axiom, tall(sister(bill))).
fof(c, conjecture, tall(teacher(mary))).
