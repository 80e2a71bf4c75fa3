#include "drives/checked_call.h"

#if defined(__i386__)

#define VORANEL_STRINGIFY_(x) #x
#define VORANEL_STRINGIFY(x) VORANEL_STRINGIFY_(x)
#define VORANEL_SYMBOL VORANEL_STRINGIFY(__USER_LABEL_PREFIX__) "voranel_call_with_stack_check"

// cdecl: function at 8(%ebp), words at 12, count at 16, stackIntact at 20.
// %esi, preserved by every callee, remembers where the stack must be once the
// callee has removed exactly the words pushed for it.
asm(".text\n"
    ".globl " VORANEL_SYMBOL "\n" VORANEL_SYMBOL
    ":\n"
    "  pushl %ebp\n"
    "  movl %esp, %ebp\n"
    "  pushl %esi\n"
    "  pushl %edi\n"
    "  pushl %ebx\n"
    "  movl %esp, %esi\n"
    "  movl 12(%ebp), %edx\n"
    "  movl 16(%ebp), %ecx\n"
    "1:\n"
    "  testl %ecx, %ecx\n"
    "  jz 2f\n"
    "  decl %ecx\n"
    "  pushl (%edx,%ecx,4)\n"
    "  jmp 1b\n"
    "2:\n"
    "  call *8(%ebp)\n"
    "  xorl %ecx, %ecx\n"
    "  cmpl %esi, %esp\n"
    "  sete %cl\n"
    "  movl %esi, %esp\n"
    "  movl 20(%ebp), %edx\n"
    "  movl %ecx, (%edx)\n"
    "  popl %ebx\n"
    "  popl %edi\n"
    "  popl %esi\n"
    "  popl %ebp\n"
    "  ret\n");

#endif
