// The window's message for each cyclide-type code.
#ifndef CYCLIDE_CONVERSION_MESSAGES_H
#define CYCLIDE_CONVERSION_MESSAGES_H

namespace cyclide {

// 0 "Nous n'avons pas un carreau convertible", 1 ring, 2 spindle, 3 horned,
// 4 double sphere, 5 crossed torus, any other value collar torus.
const char* messageCyclide(int typeCyclide);

} // namespace cyclide

#endif
